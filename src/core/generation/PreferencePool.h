#pragma once

#include "core/statistics/ChartModel.h"

#include <array>

namespace lotto {

// The list every tip number is drawn from: numbers the statistics favour stand in it
// several times, the rest is filled with 1..43 in turn (unless only preferred numbers are
// wanted). Picks use the entries 0 .. drawRange-1.
struct PreferencePool {
    static constexpr int kSize = 501;
    std::array<int, kSize> entries{};
    int count = 0;
    int drawRange = 0;

    // Entries beyond the 501st are dropped.
    void append(int number) {
        if (count < kSize) entries[static_cast<std::size_t>(count++)] = number;
    }
    // Ends the pool: only the preferred entries, or them and the filler up to entry 500.
    void finish(bool onlyPreferred);
};

// A band of a statistic's value range [m, M]; both ends rounded half to even.
struct Band {
    long long lower = 0;
    long long upper = 0;
};
Band topBand(int largest, int smallest, double factor);    // M - (M-m)f .. M
Band bottomBand(int largest, int smallest, double factor); // 0 .. m + (M-m)f

// The range a band is taken of: the value axis where it is fixed, else the bars' values.
int bandLargest(const ChartModel& chart);
int bandSmallest(const ChartModel& chart);

enum class BandTest { Strict, Inclusive }; // lower < v or lower <= v; always v <= upper

// One pass over a chart: for every examined point k whose value lies in the band, the
// numbers k+1 .. k+groupSize are appended, `times` times over.
void appendBand(PreferencePool& pool, const ChartModel& chart, Band band, BandTest test, int examined,
                int groupSize, int times);

} // namespace lotto
