#pragma once

#include <array>

namespace lotto {

class MainState;

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
};

// A band of a statistic's value range [m, M]; both ends rounded half to even.
struct Band {
    long long lower = 0;
    long long upper = 0;
};
Band topBand(int largest, int smallest, double factor);    // M - (M-m)f .. M
Band bottomBand(int largest, int smallest, double factor); // 0 .. m + (M-m)f

// Runs the statistics that the options page asks for, one after another, reads their
// results back from the chart and builds the pool, with the status texts of each pass.
PreferencePool buildPreferencePool(MainState& state);

} // namespace lotto
