#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace lotto {

// Names and order of the twelve tips on the "Lottotipp" page. Cells are counted 0..71,
// tip by tip; their edit names skip Edit37..Edit42 and Edit55, which belong elsewhere.
namespace tipgrid {

inline constexpr int kTips = 12;
inline constexpr int kCellsPerTip = 6;
inline constexpr int kCells = kTips * kCellsPerTip;

int editNumber(int cell);                       // 0..71 -> 1..36, 43..54, 56..79
std::optional<int> cellForEdit(int editNumber); // the inverse
std::string editName(int cell);                 // "Edit1" ...
std::optional<int> cellForName(std::string_view objectName);

const char* captionLabel(int tip); // "Label28" ... (tip 0..11)

// The cell change rule: a whole number 1..45 written back in decimal, anything else empty.
std::string normalizeCell(std::string_view text);

// True when the cell holds a number that another cell of the same tip holds too (tips
// loaded from a file may repeat a number; the hit count counts it once).
bool isRepeatedCell(const std::array<std::string, kCells>& cells, int cell);

} // namespace tipgrid
} // namespace lotto
