#pragma once

#include "core/evaluation/TipGrid.h"
#include "core/util/Dates.h"

#include <array>
#include <string>

namespace lotto {

// "Tipp.txt": the tips as a titled text sheet to print and take to the lottery office.
inline constexpr const char* kTipSheetFileName = "Tipp.txt";

// The draw the sheet is for: the first Sunday or Wednesday after day, so the Sunday after a
// Wednesday draw, the Wednesday after a Sunday draw, and a regular draw day after a special
// draw on another weekday.
DayNumber nextDrawDayAfter(DayNumber day);

// "Zerbosts Lotto-Tipp für Sonntag 06.01.02" (UTF-8).
std::string tipSheetTitle(DayNumber nextDraw);

// The sheet in Windows-1252 with CR LF: title, 46 tildes, an empty line, then one line per
// tip whose first cell is filled (" 1. Tipp:  3    7   12 ..."). A listed tip with a cell
// that holds no number throws ConversionError naming the tip, and nothing is produced.
std::string formatTipSheet(const std::array<std::string, tipgrid::kCells>& cells, DayNumber nextDraw);

} // namespace lotto
