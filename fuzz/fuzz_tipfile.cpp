// Tip files from anywhere: parsing never fails, and what reaches the grid is either empty
// or a number from 1 to 45.
#include "core/evaluation/TipGrid.h"
#include "core/output/TipFile.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const lotto::TipFileFields fields = lotto::parseTipFile(bytes);
    std::array<std::string, lotto::tipgrid::kCells> cells;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        cells[i] = lotto::tipgrid::normalizeCell(fields[i]);
        if (!cells[i].empty()) {
            const int n = std::atoi(cells[i].c_str());
            if (n < 1 || n > 45 || std::to_string(n) != cells[i]) std::abort();
        }
    }
    // What is saved loads back unchanged.
    const lotto::TipFileFields again = lotto::parseTipFile(lotto::formatTipFile(cells));
    for (std::size_t i = 0; i < cells.size(); ++i)
        if (again[i] != cells[i]) std::abort();
    return 0;
}
