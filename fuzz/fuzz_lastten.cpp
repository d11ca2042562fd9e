// Pages of the last ten Austrian draws, fed line by line: every draw handed out has its day
// in the century window of the two-digit year; a conversion error ends the page.
#include "core/import/AustrianLastTen.h"
#include "core/util/Text.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view page(reinterpret_cast<const char*>(data), size);
    lotto::AustrianLastTenParser parser(2026);
    auto check = [](const std::optional<lotto::ParsedDraw>& draw) {
        if (!draw) return;
        const int year = lotto::civilDate(draw->day).year;
        if (year < 1976 || year > 2075) std::abort();
    };
    try {
        lotto::forEachLine(page, false, [&](std::string_view line) { check(parser.feed(line)); });
        check(parser.finish());
    } catch (const lotto::ConversionError&) {
    }
    return 0;
}
