// Lines of the Austrian yearly results files: a line either is no draw or gives a draw of
// six distinct numbers 1..45 and an extra number 1..45 on a valid day of the given year.
#include "core/import/AustrianArchive.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    // The first byte picks the year, so both layouts and the edges of the range are reached.
    const int year = 1955 + data[0] % 80;
    const std::string_view line(reinterpret_cast<const char*>(data + 1), size - 1);
    const auto draw = lotto::parseAustrianLine(line, year);
    if (!draw) return 0;
    if (lotto::civilDate(draw->day).year != year) std::abort();
    bool seen[46] = {};
    for (int i = 0; i < 6; ++i) {
        const int n = draw->numbers[static_cast<std::size_t>(i)];
        if (n < 1 || n > 45 || seen[n]) std::abort();
        seen[n] = true;
    }
    if (draw->numbers[6] < 1 || draw->numbers[6] > 45) std::abort();
    return 0;
}
