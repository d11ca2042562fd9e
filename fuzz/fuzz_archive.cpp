// Archive files with any content: every statistic, the evaluation, stepping and the
// generation's archive rule read them without a crash or undefined behaviour.
#include "core/archive/DrawArchive.h"
#include "core/generation/ArchiveIndex.h"
#include "core/shell/MainState.h"
#include "core/util/File.h"

#include <cstdint>
#include <filesystem>
#include <unistd.h>

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // One scratch folder per process, removed when the process ends normally.
    static const struct ScratchDir {
        std::filesystem::path path =
            std::filesystem::temp_directory_path() / ("lotto-fuzz-" + std::to_string(::getpid()));
        ScratchDir() { std::filesystem::create_directories(path); }
        ~ScratchDir() {
            std::error_code ec;
            std::filesystem::remove_all(path, ec);
        }
    } scratch;
    static const std::string dir = scratch.path.string() + "/";
    lotto::writeFileAtomically(dir + "ZahlenAT.dat",
                               std::string_view(reinterpret_cast<const char*>(data), size));
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
    lotto::ArchiveIndex index(lotto::DrawArchive(dir + "ZahlenAT.dat"), 0);
    for (int limit = 0; limit <= 7; ++limit)
        index.allows({1, 2, 3, 4, 5, 45}, limit);
    state.setUpDown(7, 1);
    state.UpDown7Changing();
    state.setCheckBox(1, true);
    state.setCheckBox(7, true);
    state.Label28Click();
    return 0;
}
