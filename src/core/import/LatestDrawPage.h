#pragma once

#include "core/util/Dates.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace lotto {

// One draw line of the results page of the latest draws: its date and, when the line holds
// them, the six main numbers, the extra number (slot 7) and the Superzahl (slot 8).
struct LatestDrawLine {
    DayNumber day = 0;
    bool numbersRead = false;
    std::array<int, 8> numbers{};
};

// A draw line contains "Ziehung"; its date is the "dd.mm.yy" just before the first ":<br>"
// (a two-digit year placed around referenceYear). Without ":<br>", or with fewer than eight
// characters before it, the line is no draw line. The numbers follow the first "<b>": up to
// 150 characters with the main numbers separated by ",", the last of them the first two
// characters after the last ","; then "ZZ:" and two characters, "SZ:" and the text up to
// the next "<". A date or number that does not convert throws ConversionError.
std::optional<LatestDrawLine> parseLatestDrawLine(std::string_view line, int referenceYear);

// The numbers as the page shows them: two blanks between numbers, except one blank between
// the second and third number of a Wednesday draw.
std::string latestDrawNumbersText(const LatestDrawLine& draw, bool wednesday);

} // namespace lotto
