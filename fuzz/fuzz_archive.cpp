// Archive files with any content: every statistic, the archive rule's index and the tip
// search read them from memory without a crash or undefined behaviour. The window's
// operations on such a file are fuzz_archive_window (slower: they read it by its path).
#include "core/archive/DrawArchive.h"
#include "core/evaluation/ArchiveSearch.h"
#include "core/generation/ArchiveIndex.h"
#include "core/statistics/Distribution.h"
#include "core/statistics/GroupSearch.h"

#include <cstdint>
#include <cstdlib>
#include <span>

namespace {

// The computations read the records from memory through the reader the file goes through.
void readFromMemory(std::span<const std::uint8_t> image) {
    const lotto::DrawArchive archive = lotto::DrawArchive::inMemory(image);
    const auto count = static_cast<std::int64_t>(image.size() / lotto::DrawRecord::kSize);
    if (archive.recordCount() != count || static_cast<std::int64_t>(archive.readAll().size()) != count)
        std::abort();
    if (archive.lastRecord().has_value() != (count > 0)) std::abort();
    for (const lotto::ArchiveFilter filter :
         {lotto::ArchiveFilter{}, lotto::ArchiveFilter{lotto::dayNumber(2000, 1, 1), true, false}}) {
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
    lotto::searchTipsInArchive(reader, 0, cells, draw, [](int) { return true; });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    readFromMemory({data, size});
    return 0;
}
