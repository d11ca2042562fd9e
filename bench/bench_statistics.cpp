// The charts on the bundled archive and on a synthetic archive of a million records, and the
// archive search of twelve computed tips over all bundled draws.
#include "bench/BenchSupport.h"
#include "core/shell/MainState.h"
#include "core/util/Random.h"

#include <benchmark/benchmark.h>

#include <vector>

using namespace lotto;
using namespace lotto::bench;

namespace {

std::string millionRecordDir() {
    static const std::string dir = [] {
        const auto path = std::filesystem::temp_directory_path() / "lotto-bench-million";
        std::filesystem::create_directories(path);
        const std::string file = (path / "ZahlenAT.dat").string();
        if (!std::filesystem::exists(file) || std::filesystem::file_size(file) != 16000000) {
            Random random(7);
            std::vector<DrawRecord> records;
            records.reserve(1000000);
            for (int i = 0; i < 1000000; ++i) {
                DrawRecord r;
                r.date = dayNumber(1955, 10, 9) + (i / 2) * 7 + (i % 2 ? 3 : 0); // Sundays and Wednesdays
                bool used[46] = {};
                for (std::size_t k = 0; k < 7; ++k) {
                    int n = 0;
                    do
                        n = random.below(45) + 1;
                    while (used[n]);
                    used[n] = true;
                    r.numbers[k] = static_cast<std::uint8_t>(n);
                }
                records.push_back(r);
            }
            writeFileAtomically(file, [&] {
                const auto bytes = DrawArchive::encodeAll(records);
                return std::string(bytes.begin(), bytes.end());
            }());
        }
        return path.string() + "/";
    }();
    return dir;
}

template <void (MainState::*Operation)()>
void chart(benchmark::State& st, const std::string& dir, bool tips) {
    QuietHost host;
    FixedClock clock;
    MainState state(dir, host, clock);
    if (tips) { // twelve computed tips, for the tip distribution
        state.setTipsReady(true);
        state.random().setSeed(4711);
        state.Label28Click();
    }
    const long before = peakRssKiB();
    for (auto _ : st) {
        (state.*Operation)();
        benchmark::DoNotOptimize(state.chart().bars.data());
    }
    st.counters["peakRssGrowthKiB"] = static_cast<double>(peakRssKiB() - before);
}

template <void (MainState::*Operation)()> void onBundled(benchmark::State& st) {
    chart<Operation>(st, bundledProgramDir("lotto-bench-bundled"), true);
}
template <void (MainState::*Operation)()> void onMillion(benchmark::State& st) {
    chart<Operation>(st, millionRecordDir(), false);
}

// "Tipps in DB suchen" from the first draw on, announcing every draw with three hits or more
// (708 announcements with these tips).
void searchTwelveTips(benchmark::State& st) {
    QuietHost host;
    FixedClock clock;
    MainState state(bundledProgramDir("lotto-bench-bundled"), host, clock);
    state.setTipsReady(true);
    state.random().setSeed(4711);
    state.Label28Click();
    state.setStatisticsStart(dayNumber(1986, 1, 1));
    std::int64_t announced = 0;
    for (auto _ : st)
        state.runTipSearch("3", [&](int, const std::string&) { ++announced; });
    st.counters["announced"] = static_cast<double>(announced) / static_cast<double>(st.iterations());
}

} // namespace

BENCHMARK(searchTwelveTips)->Name("bundled/search_12_tips")->Unit(benchmark::kMicrosecond);
BENCHMARK(onBundled<&MainState::SpeedButton2Click>)->Name("bundled/frequency")->Unit(benchmark::kMicrosecond);
BENCHMARK(onBundled<&MainState::SpeedButton9Click>)->Name("bundled/digitsums")->Unit(benchmark::kMicrosecond);
BENCHMARK(onBundled<&MainState::Button6Click>)->Name("bundled/tips")->Unit(benchmark::kMicrosecond);
BENCHMARK(onBundled<&MainState::Button2Click>)->Name("bundled/pairs")->Unit(benchmark::kMicrosecond);
BENCHMARK(onBundled<&MainState::Button3Click>)->Name("bundled/triples")->Unit(benchmark::kMicrosecond);
BENCHMARK(onBundled<&MainState::Button4Click>)->Name("bundled/quadruples")->Unit(benchmark::kMicrosecond);
BENCHMARK(onBundled<&MainState::Button5Click>)->Name("bundled/overdue")->Unit(benchmark::kMicrosecond);
BENCHMARK(onMillion<&MainState::SpeedButton2Click>)->Name("million/frequency")->Unit(benchmark::kMillisecond);
BENCHMARK(onMillion<&MainState::SpeedButton9Click>)->Name("million/digitsums")->Unit(benchmark::kMillisecond);
BENCHMARK(onMillion<&MainState::Button2Click>)->Name("million/pairs")->Unit(benchmark::kMillisecond);
BENCHMARK(onMillion<&MainState::Button4Click>)->Name("million/quadruples")->Unit(benchmark::kMillisecond);
BENCHMARK(onMillion<&MainState::Button5Click>)->Name("million/overdue")->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
