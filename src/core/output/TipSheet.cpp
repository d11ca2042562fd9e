#include "core/output/TipSheet.h"

#include "core/util/Text.h"

#include <cstdio>

namespace lotto {

DayNumber nextDrawDayAfter(DayNumber day) {
    do
        ++day;
    while (weekday(day) != kSunday && weekday(day) != kWednesday);
    return day;
}

std::string tipSheetTitle(DayNumber nextDraw) {
    const CivilDate date = civilDate(nextDraw);
    char digits[40];
    std::snprintf(digits, sizeof digits, "%02d.%02d.%02d", date.day, date.month, date.year % 100);
    return "Zerbosts Lotto-Tipp für " + std::string(longDayName(weekday(nextDraw))) + " " + digits;
}

std::string formatTipSheet(const std::array<std::string, tipgrid::kCells>& cells, DayNumber nextDraw) {
    std::string sheet = tipSheetTitle(nextDraw) + "\r\n" + std::string(46, '~') + "\r\n\r\n";
    for (int tip = 0; tip < tipgrid::kTips; ++tip) {
        const auto first = static_cast<std::size_t>(tip * tipgrid::kCellsPerTip);
        if (cells[first].empty()) continue;
        char text[40];
        std::snprintf(text, sizeof text, "%2d. Tipp: ", tip + 1);
        std::string line = text;
        for (std::size_t c = 0; c < tipgrid::kCellsPerTip; ++c) {
            int number = 0;
            try {
                number = convertToInt(cells[first + c]);
            } catch (const ConversionError& e) {
                throw ConversionError(std::string(e.what()) + " (" + std::to_string(tip + 1) + ". Tipp, " +
                                      std::to_string(c + 1) + ". Zahl)");
            }
            std::snprintf(text, sizeof text, "%2d", number);
            line += (c > 0 ? "   " : "") + std::string(text);
        }
        sheet += line + "\r\n";
    }
    return utf8ToWindows1252(sheet);
}

} // namespace lotto
