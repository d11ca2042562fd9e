// Lines of the results page of the latest draws: a line is no draw line, a draw line, or a
// conversion error; a draw line's day is a valid date of the two-digit year's century window.
#include "core/import/LatestDrawPage.h"
#include "core/util/Text.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    try {
        const auto draw = lotto::parseLatestDrawLine(line, 2026);
        if (!draw) return 0;
        const int year = lotto::civilDate(draw->day).year;
        if (year < 1976 || year > 2075) std::abort();
        if (draw->numbersRead) {
            const std::string text = lotto::latestDrawNumbersText(*draw, true);
            if (text.empty()) std::abort();
        }
    } catch (const lotto::ConversionError&) {
    }
    return 0;
}
