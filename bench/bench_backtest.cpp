// The "Strategie-Test" on the bundled archive: every draw from 01.01.2000 with the default
// options, kept up to date draw by draw; and, for comparison, the plain generation run on
// an archive cut before each draw (as `lotto-cli generate` would run it), on a sample of
// draws whose figure scales to the whole period.
#include "bench/BenchSupport.h"
#include "core/shell/MainState.h"
#include "core/util/File.h"

#include <benchmark/benchmark.h>

using namespace lotto;
using namespace lotto::bench;

namespace {

ArchiveFilter since2000(const MainState& state) {
    ArchiveFilter period = state.archiveFilter();
    period.startDate = dayNumber(2000, 1, 1);
    return period;
}

void walkForward2000(benchmark::State& st) {
    QuietHost host;
    FixedClock clock;
    MainState state(bundledProgramDir("lotto-bench-backtest"), host, clock);
    std::int64_t draws = 0;
    for (auto _ : st)
        draws = state.StrategieTestClick(since2000(state), kLastDay, 0)->draws;
    st.counters["draws"] = static_cast<double>(draws);
}

// The plain run for every 50th draw since 2000, each on its own cut archive file.
void plainRunsPerDraw(benchmark::State& st) {
    QuietHost host;
    FixedClock clock;
    const std::string dir = bundledProgramDir("lotto-bench-backtest-plain");
    const std::vector<DrawRecord> records = DrawArchive(dir + "ZahlenAT.dat").readAll();
    MainState state(dir, host, clock);
    std::int64_t runs = 0;
    for (auto _ : st) {
        for (std::size_t p = 0; p < records.size(); ++p) {
            if (records[p].day() < dayNumber(2000, 1, 1) || p % 50 != 0) continue;
            st.PauseTiming();
            const auto image =
                DrawArchive::encodeAll({records.begin(), records.begin() + static_cast<long>(p)});
            writeFileAtomically(dir + "ZahlenAT.dat",
                                {reinterpret_cast<const char*>(image.data()), image.size()});
            st.ResumeTiming();
            state.random().setSeed(static_cast<std::uint32_t>(p));
            state.Label28Click();
            ++runs;
        }
    }
    st.counters["runs"] = benchmark::Counter(static_cast<double>(runs), benchmark::Counter::kAvgIterations);
}

} // namespace

BENCHMARK(walkForward2000)->Unit(benchmark::kMillisecond);
BENCHMARK(plainRunsPerDraw)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();
