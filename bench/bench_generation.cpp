// Generation runs on the bundled archive: the default run, and runs that spend a budget
// of ten million picks where the digit-sum window or the archive rule binds.
#include "bench/BenchSupport.h"
#include "core/shell/GenerationRun.h"
#include "core/shell/MainState.h"
#include "core/shell/StatusText.h"

#include <benchmark/benchmark.h>

using namespace lotto;
using namespace lotto::bench;

namespace {

void runWith(benchmark::State& st, GenerationRun::ArchiveRuleMode mode, void (*configure)(MainState&)) {
    QuietHost host;
    FixedClock clock;
    MainState state(bundledProgramDir("lotto-bench-generation"), host, clock);
    state.setTipsReady(true);
    configure(state);
    std::uint32_t seed = 1;
    std::int64_t picks = 0;
    for (auto _ : st) {
        state.random().setSeed(seed++);
        GenerationRun run(state, mode);
        run.run();
        picks += run.runCount();
    }
    st.counters["picksPerRun"] = static_cast<double>(picks) / static_cast<double>(st.iterations());
}

void defaults(MainState&) {}
void tenMillionDigitSum(MainState& s) {
    s.setOption(Option::MaxRunsThousands, 10000);
    s.UpDown7Changing();
    s.setOption(Option::DigitSumFrom, 279);
    s.setOption(Option::DigitSumTo, 279);
}
void tenMillionArchiveRule(MainState& s) {
    s.setOption(Option::MaxRunsThousands, 10000);
    s.UpDown7Changing();
    s.setOption(Option::ArchiveMatch, 3);
}
void archiveRuleSmallBudget(MainState& s) {
    s.setOption(Option::MaxRunsThousands, 20);
    s.UpDown7Changing();
    s.setOption(Option::ArchiveMatch, 3);
}

} // namespace

BENCHMARK_CAPTURE(runWith, default_run, GenerationRun::ArchiveRuleMode::Indexed, defaults)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(runWith, default_run_reading_file, GenerationRun::ArchiveRuleMode::ReadFileEachTime,
                  defaults)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(runWith, budget_10M_digitsum_279, GenerationRun::ArchiveRuleMode::Indexed,
                  tenMillionDigitSum)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(runWith, budget_10M_archive_rule_3, GenerationRun::ArchiveRuleMode::Indexed,
                  tenMillionArchiveRule)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
// The archive rule answered by reading the file for every candidate, on a budget of 20000
// picks: scaled by 500 it gives the figure before the index.
BENCHMARK_CAPTURE(runWith, budget_20k_archive_rule_3_reading_file,
                  GenerationRun::ArchiveRuleMode::ReadFileEachTime, archiveRuleSmallBudget)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// The same ten million picks with the file read for every candidate: the figure before
// the index (run it with --benchmark_filter=reading_file_10M; it takes a while).
BENCHMARK_CAPTURE(runWith, reading_file_10M_archive_rule_3, GenerationRun::ArchiveRuleMode::ReadFileEachTime,
                  tenMillionArchiveRule)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// What writing out every candidate's status text would cost.
static void statusTextPerCandidate(benchmark::State& st) {
    int i = 0;
    for (auto _ : st)
        benchmark::DoNotOptimize(StatusText::formatCandidate(3, {1, 2, 13, 24, 35, 44 + (i++ & 1)}, 119));
}
BENCHMARK(statusTextPerCandidate);

BENCHMARK_MAIN();
