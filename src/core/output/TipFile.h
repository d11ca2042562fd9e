#pragma once

#include "core/evaluation/TipGrid.h"
#include "core/util/Dates.h"

#include <array>
#include <string>
#include <string_view>

namespace lotto {

using TipFileFields = std::array<std::string, tipgrid::kCells>;

inline constexpr const char* kTipFileExt = "qtp";

// The name proposed for the tips of the draw on drawDay: its date, "20020106.qtp".
std::string tipFileNameFor(DayNumber drawDay);

// The ".qtp" tip file: twelve lines "n1,n2,n3,n4,n5,n6" with CR LF, cell texts unchanged.
std::string formatTipFile(const std::array<std::string, tipgrid::kCells>& cells);

// Splits a tip file into the 72 raw field texts, tip by tip. Missing lines read as empty;
// a line with too few commas leaves the middle fields empty and gives field 6 the rest;
// surplus fields stay in field 6. The cell change rule cleans the texts afterwards.
TipFileFields parseTipFile(std::string_view bytes);

// The six fields of one line, by the same rule.
std::array<std::string, 6> splitTipLine(std::string_view line);

} // namespace lotto
