#pragma once

#include "core/archive/ArchiveFilter.h"
#include "core/archive/PrizeStore.h"
#include "core/generation/GenerationOptions.h"
#include "core/generation/TipFilters.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace lotto {

// The walk-forward test of the generation ("Strategie-Test"): for every draw of a period,
// the tips that a generation run would have computed on the archive as it stood before that
// draw, seeded with seed + the draw's position, checked against the draw. What the run
// reads of the archive (statistics, last draws, the archive rule) is kept up to date draw by
// draw instead of being read anew for each run; the tips are the same.
struct WalkForwardSettings {
    // The generation as the window would run it: its options, the statistics' filter (start
    // date and weekday boxes, which also steer the draw stepping; the archive rule takes
    // the start date only) and the day it takes as today.
    std::array<int, kGenerationOptions.size()> options{};
    std::int32_t maxRuns = 100000; // the picks a run may make
    ArchiveFilter statistics;
    DayNumber today = 0;
    // The draws tested: those passing `period` and dated on or before `to`.
    ArchiveFilter period;
    DayNumber to = kLastDay;
    std::uint32_t seed = 0;
    std::int64_t stakeCents = 0;
};

// The options as a generation run reads them (the table's defaults to begin with).
std::array<int, kGenerationOptions.size()> defaultOptionValues();

// One tested draw: its position in the archive and the twelve tips it got (zeros where a
// tip was left empty).
struct TestedDraw {
    std::int64_t position = 0;
    std::array<TipNumbers, 12> tips{};
};

struct WalkForwardResult {
    std::int64_t draws = 0; // draws tested
    std::int64_t tips = 0;  // tips with six numbers, over all draws
    std::array<std::int64_t, 7> hits{};
    std::array<std::int64_t, kPrizeRanks> ranks{};
    std::int64_t extraOnlyTips = 0; // tips at draws whose stored ranks include ZZ
    std::int64_t wonCents = 0;
    std::int64_t stakeCents = 0;
    bool stopped = false; // the progress callback asked to stop: the counts cover the draws before
};

// Runs the test over the archive's records (in archive order). `onDraw` is told each tested
// draw after it was counted, with the number of draws done and to do in all; it returns
// false to stop.
using WalkForwardObserver =
    std::function<bool(const TestedDraw& draw, std::int64_t done, std::int64_t total)>;
WalkForwardResult runWalkForward(const std::vector<DrawRecord>& records, const WalkForwardSettings& settings,
                                 const PrizeTable& quotas, const WalkForwardObserver& onDraw = {});

} // namespace lotto
