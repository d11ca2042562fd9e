// German history pages: any text is read without a crash; a draw is handed over at most
// once per opening line, always with a date, and a value that does not convert ends the
// page with ConversionError.
#include "core/import/GermanHistory.h"
#include "core/util/Text.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view page(reinterpret_cast<const char*>(data), size);
    std::size_t draws = 0;
    std::size_t openings = 0;
    lotto::GermanHistoryParser parser(2024, [&](const lotto::ParsedDraw& draw) {
        ++draws;
        if (draw.day == 0 || draw.day < lotto::kFirstDay || draw.day > lotto::kLastDay) std::abort();
    });
    try {
        lotto::forEachLine(page, false, [&](std::string_view line) {
            if (line.find("Ziehung") != std::string_view::npos) ++openings;
            parser.line(line);
        });
        parser.end();
    } catch (const lotto::ConversionError&) {
    }
    if (draws > openings) std::abort();
    return 0;
}
