#include "core/statistics/Distribution.h"

#include "core/util/Text.h"

namespace lotto {

bool hasValidMainNumbers(const DrawRecord& record) {
    for (std::size_t i = 0; i < DrawRecord::kMainCount; ++i)
        if (!isLottoNumber(record.numbers[i])) return false;
    return true;
}

long long roundedAverage(long long total, long long count) {
    if (count == 0) return 0;
    return roundHalfEven(static_cast<double>(total) / static_cast<double>(count));
}

void addDraw(NumberCounts& c, const DrawRecord& r) {
    for (std::size_t i = 0; i <= DrawRecord::kExtraIndex; ++i) {
        const int n = r.numbers[i];
        if (isLottoNumber(n)) ++c.counts[static_cast<std::size_t>(n)];
    }
    ++c.draws;
    if (hasValidMainNumbers(r)) {
        ++c.sumDraws;
        c.sumTotal += r.mainSum();
    }
}

NumberCounts countNumbers(const DrawArchive& archive, const ArchiveFilter& filter) {
    NumberCounts c;
    archive.forEach([&](const DrawRecord& r) {
        if (filter.passes(r)) addDraw(c, r);
    });
    return c;
}

DigitSumCounts countDigitSums(const DrawArchive& archive, const ArchiveFilter& filter) {
    DigitSumCounts c;
    archive.forEach([&](const DrawRecord& r) {
        if (!filter.passes(r) || !hasValidMainNumbers(r)) return;
        const int s = r.mainSum();
        ++c.counts[static_cast<std::size_t>(s)];
        if (s < c.smallest) c.smallest = s;
        if (s > c.largest) c.largest = s;
        ++c.draws;
        c.sumTotal += s;
    });
    return c;
}

ChartModel fixedNumberChart(const std::array<int, 46>& counts) {
    ChartModel chart;
    chart.prepare();
    for (int n = 1; n <= 45; ++n)
        chart.bars.push_back({n, counts[static_cast<std::size_t>(n)]});
    chart.fixValueAxisToBars();
    return chart;
}

ChartModel numberFrequencyChart(const NumberCounts& c) {
    ChartModel chart = fixedNumberChart(c.counts);
    chart.axisTitle = "Zahlenverteilung     Ziehungen: " + std::to_string(c.draws) +
                      "    Quersumme: " + std::to_string(roundedAverage(c.sumTotal, c.sumDraws));
    return chart;
}

ChartModel digitSumChart(const DigitSumCounts& c) {
    ChartModel chart;
    chart.prepare();
    if (c.largest >= c.smallest)
        for (int s = c.smallest; s <= c.largest; ++s)
            chart.bars.push_back({s, c.counts[static_cast<std::size_t>(s)]});
    chart.valueAxisAutomatic = true;
    chart.axisTitle = "Quersummenverteilung     Ziehungen: " + std::to_string(c.draws) +
                      "    Quersumme: " + std::to_string(roundedAverage(c.sumTotal, c.draws));
    return chart;
}

ChartModel tipDistributionChart(const std::array<std::string, 72>& cells) {
    std::array<int, 46> counts{};
    for (const std::string& text : cells) {
        const auto value = toInt(text);
        if (!value) break;
        if (isLottoNumber(*value)) ++counts[static_cast<std::size_t>(*value)];
    }
    ChartModel chart = fixedNumberChart(counts);
    chart.axisTitle = "Zahlenverteilung des Tippes";
    return chart;
}

} // namespace lotto
