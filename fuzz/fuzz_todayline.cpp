// Today's results files and files imported from disk: every line either is no draw or gives
// six distinct numbers 1..45 and an extra number 1..45 that is none of them, on a valid
// date; a whole file gives its draws in ascending order of their days; the file table never
// yields an empty path.
#include "core/archive/DrawRecord.h"
#include "core/import/AustrianToday.h"
#include "core/import/HttpFetch.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void checkDraw(const std::array<int, 7>& numbers) {
    bool seen[46] = {};
    for (std::size_t i = 0; i < 6; ++i) {
        const int n = numbers[i];
        if (!lotto::isLottoNumber(n) || seen[n]) std::abort();
        seen[n] = true;
    }
    if (!lotto::isLottoNumber(numbers[6]) || seen[numbers[6]]) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    lotto::forEachLine(text, false, [&](std::string_view line) {
        const lotto::TodayLine parsed = lotto::parseTodayLine(line);
        for (const std::string_view field : parsed.prizeFields)
            if (field.data() < line.data() || field.data() + field.size() > line.data() + line.size())
                std::abort();
        if (parsed.kind == lotto::TodayLineKind::Draw) {
            if (parsed.day < 1 || parsed.day > 31 || parsed.month < 1 || parsed.month > 12) std::abort();
            checkDraw(parsed.numbers);
        }
    });
    // The first line, when short, doubles as the file's name (a year in it counts).
    const std::string_view name = text.substr(0, std::min<std::size_t>(text.find('\n'), 16));
    const auto file = lotto::readResultsFile(text, name);
    const auto& draws = file.draws;
    for (std::size_t i = 0; i < draws.size(); ++i) {
        checkDraw(draws[i].numbers);
        if (i > 0 && draws[i].day < draws[i - 1].day) std::abort();
    }
    // Quotas only for draws read, each rank once and in order, and the store reads back
    // what it wrote.
    for (const auto& [day, quotas] : file.prizes) {
        if (std::none_of(draws.begin(), draws.end(),
                         [day = day](const lotto::ParsedDraw& d) { return d.day == day; }))
            std::abort();
        for (std::size_t i = 1; i < quotas.size(); ++i)
            if (!(quotas[i - 1].rank < quotas[i].rank)) std::abort();
        for (const auto& quota : quotas)
            if (quota.amount < 0 || quota.winners < 0) std::abort();
    }
    if (lotto::parsePrizeStore(lotto::formatPrizeStore(file.prizes)) != file.prizes) std::abort();
    lotto::parsePrizeStore(text);
    for (const auto& entry : lotto::parseTodayFileTable(text)) {
        if (entry.path.empty() || entry.firstYear > entry.lastYear) std::abort();
        for (const auto& url : lotto::todayFileUrls("https://h", {entry}, entry.firstYear))
            if (url.url.size() <= std::string_view("https://h").size()) std::abort();
    }
    return 0;
}
