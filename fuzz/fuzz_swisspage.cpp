// Swiss yearly pages: any text is read without a crash for either block layout; every draw
// handed over has a day in the calendar, and a value that does not convert ends the page
// with ConversionError.
#include "core/import/SwissPages.h"
#include "core/util/Text.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    // The first byte picks the year: both layouts and the years around the change.
    const int year = 1985 + data[0] % 45;
    const std::string_view page(reinterpret_cast<const char*>(data + 1), size - 1);
    std::size_t blocks = 0;
    std::size_t draws = 0;
    lotto::SwissPageParser parser(year, [&](const lotto::ParsedDraw& draw) {
        ++draws;
        if (draw.day < lotto::kFirstDay || draw.day > lotto::kLastDay || draw.day == 0) std::abort();
    });
    try {
        lotto::forEachLine(page, false, [&](std::string_view line) {
            if (line.find("textb") != std::string_view::npos) ++blocks;
            parser.line(line);
        });
    } catch (const lotto::ConversionError&) {
    }
    if (draws > blocks) std::abort();
    return 0;
}
