#include "core/generation/PreferencePool.h"

#include "core/util/Text.h"

namespace lotto {

Band topBand(int largest, int smallest, double factor) {
    return {roundHalfEven(largest - (largest - smallest) * factor), largest};
}

Band bottomBand(int largest, int smallest, double factor) {
    return {0, roundHalfEven(smallest + (largest - smallest) * factor)};
}

int bandLargest(const ChartModel& chart) {
    return chart.valueAxisAutomatic ? chart.largestY() : chart.valueAxisMax;
}

int bandSmallest(const ChartModel& chart) {
    return chart.valueAxisAutomatic ? chart.smallestY() : chart.valueAxisMin;
}

void appendBand(PreferencePool& pool, const ChartModel& chart, Band band, BandTest test, int examined,
                int groupSize, int times) {
    const auto& bars = chart.bars;
    for (int k = 0; k < examined && k < static_cast<int>(bars.size()); ++k) {
        const long long v = bars[static_cast<std::size_t>(k)].y;
        const bool inside =
            test == BandTest::Strict ? band.lower < v && v <= band.upper : band.lower <= v && v <= band.upper;
        if (!inside) continue;
        for (int r = 0; r < times; ++r)
            for (int g = 1; g <= groupSize; ++g)
                pool.append(k + g);
    }
}

void PreferencePool::finish(bool onlyPreferred) {
    if (onlyPreferred) {
        drawRange = count;
        return;
    }
    int next = 1;
    for (int i = count; i < kSize; ++i) {
        entries[static_cast<std::size_t>(i)] = next;
        next = next == 43 ? 1 : next + 1;
    }
    drawRange = 500;
}

} // namespace lotto
