// Archive files with any content: every statistic, the evaluation, stepping and the
// generation's archive rule read them without a crash or undefined behaviour.
#include "core/archive/DrawArchive.h"
#include "core/evaluation/ArchiveSearch.h"
#include "core/generation/ArchiveIndex.h"
#include "core/shell/MainState.h"
#include "core/statistics/Distribution.h"
#include "core/statistics/GroupSearch.h"
#include "core/util/File.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <stdlib.h>

namespace {

class NullHost : public lotto::Host {
public:
    void showMessage(const std::string&) override {}
    bool askYesNo(const std::string&, const std::string&) override { return false; }
    std::string inputBox(const std::string&, const std::string&, const std::string& t) override { return t; }
    std::optional<std::string> chooseSaveFile(const lotto::FileDialogState&) override { return std::nullopt; }
    std::optional<std::string> chooseOpenFile(const lotto::FileDialogState&) override { return std::nullopt; }
    void playSound(const std::string&) override {}
    void openDocument(const std::string&) override {}
    void setBusy(bool) override {}
    void repaint(lotto::RepaintArea) override {}
};

class NullClock : public lotto::Clock {
public:
    lotto::DayNumber today() override { return lotto::dayNumber(2026, 12, 7); }
    std::uint32_t seed() override { return 1; }
};

// The computations read the records from memory through the reader the file goes through.
void readFromMemory(std::span<const std::uint8_t> image) {
    const lotto::DrawArchive archive = lotto::DrawArchive::inMemory(image);
    const auto count = static_cast<std::int64_t>(image.size() / lotto::DrawRecord::kSize);
    if (archive.recordCount() != count || static_cast<std::int64_t>(archive.readAll().size()) != count) std::abort();
    if (archive.lastRecord().has_value() != (count > 0)) std::abort();
    for (const lotto::ArchiveFilter filter : {lotto::ArchiveFilter{}, lotto::ArchiveFilter{lotto::dayNumber(2000, 1, 1), true, false}}) {
        lotto::numberFrequencyChart(lotto::countNumbers(archive, filter));
        lotto::digitSumChart(lotto::countDigitSums(archive, filter));
        for (int length = 2; length <= 4; ++length)
            lotto::runSearchChart(lotto::searchRuns(archive, filter, length));
        lotto::overdueChart(lotto::countOverdue(archive, filter));
    }
    // Thresholds of 5 and 6 would clear a table of up to a megabyte for every input and
    // test nothing the smaller ones do not.
    lotto::ArchiveIndex index(archive, 0);
    for (const int threshold : {0, 1, 2, 3, 4, 7})
        index.allows({1, 2, 3, 4, 5, 45}, threshold);
    std::array<std::string, lotto::tipgrid::kCells> cells;
    for (std::size_t i = 0; i < cells.size(); ++i)
        cells[i] = std::to_string(1 + i % 45);
    lotto::DrawArchiveReader reader = archive.open();
    lotto::CurrentDraw draw;
    lotto::searchTipsInArchive(reader, 0, cells, draw, [](int) {});
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    readFromMemory({data, size});

    // The window's handlers read the archive by its path: a scratch file, written without a
    // sync (nothing else reads it), in one folder per process removed when the process ends.
    static const struct ScratchDir {
        std::string path;
        ScratchDir() {
            std::string name = (std::filesystem::temp_directory_path() / "lotto-fuzz-XXXXXX").string();
            if (::mkdtemp(name.data()) == nullptr) std::abort();
            path = name + "/";
        }
        ~ScratchDir() {
            std::error_code ec;
            std::filesystem::remove_all(path, ec);
        }
    } scratch;
    const std::string& dir = scratch.path;
    {
        lotto::File file(dir + "ZahlenAT.dat", lotto::File::Mode::CreateTruncate);
        file.write(data, size);
    }
    NullHost host;
    NullClock clock;
    lotto::MainState state(dir, host, clock);
    state.setTipsReady(true);
    state.SpeedButton2Click();
    state.SpeedButton9Click();
    state.Button2Click();
    state.Button4Click();
    state.Button5Click();
    state.dateTimePicker1().setDate(lotto::dayNumber(2000, 1, 1));
    state.SpeedButton5Click();
    state.SpeedButton7Click();
    state.SpeedButton6Click();
    state.setCheckBox(17, false);
    state.SpeedButton7Click();
    state.SpeedButton6Click();
    state.setUpDown(7, 1);
    state.UpDown7Changing();
    state.setCheckBox(1, true);
    state.setCheckBox(7, true);
    state.Label28Click();
    return 0;
}
