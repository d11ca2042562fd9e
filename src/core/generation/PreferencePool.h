#pragma once

#include "core/generation/GenerationOptions.h"
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

// The statistics a pool is built from.
enum class PoolStatistic { Overdue, Pairs, Triples, Quadruples, Frequency };

// Builds the pool pass by pass as the options ask (anything with isOn(Option)). The source
// runs the statistics and tells the progress: `run(statistic, statusText)` returns the
// statistic's chart (valid until the next run); `pass(band, maxLabel, count)` is told
// before each pass appends, with the pool size so far. A pass that needs the statistic of
// the pass before reads its chart again.
template <class Options, class Source> PreferencePool buildPool(const Options& options, Source& source) {
    PreferencePool pool;
    const ChartModel* chart = nullptr;
    const auto run = [&](PoolStatistic statistic, const char* status) {
        chart = &source.run(statistic, status);
    };
    const auto pass = [&](Band band, BandTest test, int examined, int groupSize, int times,
                          const char* maxLabel) {
        source.pass(band, maxLabel, pool.count);
        appendBand(pool, *chart, band, test, examined, groupSize, times);
    };
    const auto largest = [&] { return bandLargest(*chart); };
    const auto smallest = [&] { return bandSmallest(*chart); };
    const auto points = [&] { return static_cast<int>(chart->bars.size()); };

    // 1. Overdue numbers.
    if (options.isOn(Option::PreferOverdue)) {
        run(PoolStatistic::Overdue, "Berechnung der Überfälligen");
        pass(topBand(largest(), smallest(), 0.5), BandTest::Strict, 45, 1, 2, "  Max: ");
    }
    // 2.-7. Frequent and rarest pairs, triples and quadruples, one statistic for each
    // size; the quadruples' value axis scales itself, so their band uses the values.
    struct GroupPasses {
        Option frequent, rarest;
        PoolStatistic statistic;
        int size;
        const char* status;
        const char* rarestMaxLabel;
    };
    static constexpr GroupPasses kGroups[] = {
        {Option::PreferFrequentPairs, Option::PreferRarestPairs, PoolStatistic::Pairs, 2,
         "Berechnung der Paarbildung", "  Max: "},
        {Option::PreferFrequentTriples, Option::PreferRarestTriples, PoolStatistic::Triples, 3,
         "Berechnung der Dreiergruppenbildung", "  Max: "},
        {Option::PreferFrequentQuadruples, Option::PreferRarestQuadruples, PoolStatistic::Quadruples, 4,
         "Berechnung der Vierergruppenbildung", " Max: "},
    };
    for (const GroupPasses& g : kGroups) {
        if (options.isOn(g.frequent)) {
            run(g.statistic, g.status);
            pass(topBand(largest(), smallest(), 0.3), BandTest::Strict, points() - (g.size - 1), g.size, 1,
                 "  Max: ");
        }
        if (options.isOn(g.rarest)) {
            if (!options.isOn(g.frequent)) run(g.statistic, g.status);
            pass(bottomBand(largest(), smallest(), 0.3), BandTest::Strict, points() - (g.size - 1), g.size, 1,
                 g.rarestMaxLabel);
        }
    }
    // 8. Often drawn.
    if (options.isOn(Option::PreferOftenDrawn)) {
        run(PoolStatistic::Frequency, "Berechnung der Zahlenverteilung");
        pass(topBand(largest(), smallest(), 0.2), BandTest::Inclusive, 45, 1, 2, "  Max: ");
        pass(topBand(largest(), smallest(), 0.3), BandTest::Inclusive, 45, 1, 1, "  Max: ");
    }
    // 9. Rarely drawn.
    if (options.isOn(Option::PreferRarelyDrawn)) {
        if (!options.isOn(Option::PreferOftenDrawn))
            run(PoolStatistic::Frequency, "Berechnung der Zahlenverteilung");
        pass(bottomBand(largest(), smallest(), 0.1), BandTest::Inclusive, 45, 1, 2, " Max: ");
        pass(bottomBand(largest(), smallest(), 0.3), BandTest::Inclusive, 45, 1, 1, "  Max: ");
    }
    pool.finish(options.isOn(Option::OnlyPreferred));
    return pool;
}

} // namespace lotto
