#include "core/statistics/GroupSearch.h"

#include "core/statistics/Distribution.h"

namespace lotto {

namespace {

// How many main-number slots hold each value 1..45; duplicates in a damaged record count
// once per slot, exactly as the hit counting does.
std::array<int, 47> slotCounts(const DrawRecord& r) {
    std::array<int, 47> counts{};
    for (std::size_t i = 0; i < DrawRecord::kMainCount; ++i)
        if (isLottoNumber(r.numbers[i])) ++counts[r.numbers[i]];
    return counts;
}

const char* groupName(int length) {
    switch (length) {
    case 2:
        return "Paare";
    case 3:
        return "Dreier";
    default:
        return "Vierer";
    }
}

} // namespace

void addDraw(RunSearchResult& result, const DrawRecord& r) {
    const int length = result.length;
    const int lastStart = 46 - length;
    ++result.draws;
    const auto counts = slotCounts(r);
    int hits = 0;
    for (int i = 1; i < length; ++i)
        hits += counts[static_cast<std::size_t>(i)];
    for (int s = 1; s <= lastStart; ++s) {
        hits += counts[static_cast<std::size_t>(s + length - 1)];
        if (hits == length) {
            ++result.found;
            ++result.counts[static_cast<std::size_t>(s)];
        }
        if (s == lastStart) result.lastHits = static_cast<std::uint8_t>(hits);
        hits -= counts[static_cast<std::size_t>(s)];
    }
    result.lastDraw = r;
    const int extra = r.extra();
    result.lastExtraHit = extra >= lastStart && extra <= 45;
}

RunSearchResult searchRuns(const DrawArchive& archive, const ArchiveFilter& filter, int length) {
    RunSearchResult result;
    result.length = length;
    archive.forEach([&](const DrawRecord& r) {
        if (filter.passes(r)) addDraw(result, r);
    });
    return result;
}

ChartModel runSearchChart(const RunSearchResult& result) {
    ChartModel chart;
    chart.prepare();
    const int points = result.length == 2 ? 44 : (result.length == 3 ? 43 : 45);
    for (int x = 1; x <= points; ++x) {
        const int y = x <= 46 - result.length ? result.counts[static_cast<std::size_t>(x)] : 0;
        chart.bars.push_back({x, y});
    }
    if (result.length == 4)
        chart.valueAxisAutomatic = true;
    else
        chart.fixValueAxisToBars();
    chart.axisTitle = "Bei " + std::to_string(result.draws) + " Ziehungen wurden " +
                      std::to_string(result.found) + " " + groupName(result.length) + " gefunden!";
    return chart;
}

std::array<int, 46> noOverdue() {
    std::array<int, 46> counters;
    counters.fill(1);
    return counters;
}

void addOverdue(std::array<int, 46>& counters, const DrawRecord& r) {
    for (int& c : counters)
        ++c;
    for (std::size_t i = 0; i <= DrawRecord::kExtraIndex; ++i)
        if (r.numbers[i] <= 45) counters[r.numbers[i]] = 1;
}

std::array<int, 46> countOverdue(const DrawArchive& archive, const ArchiveFilter& filter) {
    std::array<int, 46> counters = noOverdue();
    archive.forEach([&](const DrawRecord& r) {
        if (filter.passes(r)) addOverdue(counters, r);
    });
    return counters;
}

ChartModel overdueChart(const std::array<int, 46>& counters) {
    ChartModel chart = fixedNumberChart(counters);
    chart.axisTitle = "Welche Zahl ist überfällig, wurde als seit wievielen Ziehungen nicht gezogen?";
    return chart;
}

} // namespace lotto
