// Dates typed on the command line: parsing never fails, and what parses formats back.
#include "core/util/Dates.h"
#include "core/util/Text.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const auto day = lotto::parseShortDate(text, 2026)) {
        if (lotto::parseShortDate(lotto::formatShortDate(*day), 2026) != day) std::abort();
    }
    lotto::toInt(text);
    lotto::windows1252ToUtf8(text);
    lotto::utf8ToWindows1252(text);
    return 0;
}
