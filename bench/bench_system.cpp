// System tips: the largest allowed system (0/15, 5,005 tips) expanded and checked against
// every draw of the bundled archive. `bench_system --once` does it once and exits, for
// timing the whole process; without it Google Benchmark times the parts.
#include "core/archive/DrawArchive.h"
#include "core/system/SystemCheck.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <iostream>
#include <numeric>

using namespace lotto;

namespace {

SystemBet largestSystem() {
    std::vector<int> choices(15);
    std::iota(choices.begin(), choices.end(), 3);
    return makeSystem({}, choices);
}

std::vector<SystemDraw> archiveDraws() {
    DrawArchiveReader reader(LOTTO_BUNDLED_DAT);
    std::vector<SystemDraw> draws;
    DrawRecord record;
    while (reader.next(record)) {
        SystemDraw draw;
        std::copy_n(record.numbers.begin(), 6, draw.main.begin());
        draw.extra = record.extra();
        draw.paysExtraOnly = true;
        draws.push_back(draw);
    }
    return draws;
}

void BM_ExpandLargest(benchmark::State& state) {
    const SystemBet bet = largestSystem();
    for (auto _ : state)
        benchmark::DoNotOptimize(expandSystem(bet));
}
BENCHMARK(BM_ExpandLargest)->Unit(benchmark::kMicrosecond);

void BM_ArchiveByFormula(benchmark::State& state) {
    const SystemBet bet = largestSystem();
    for (auto _ : state) {
        DrawArchiveReader reader(LOTTO_BUNDLED_DAT);
        benchmark::DoNotOptimize(computeSystemBalance(reader, ArchiveFilter{}, kLastDay, bet, {}, 120));
    }
}
BENCHMARK(BM_ArchiveByFormula)->Unit(benchmark::kMillisecond);

void BM_ArchiveByWalkingTheTips(benchmark::State& state) {
    const std::vector<SystemTip> tips = expandSystem(largestSystem());
    const std::vector<SystemDraw> draws = archiveDraws();
    for (auto _ : state) {
        RankCounts total{};
        for (const SystemDraw& draw : draws) {
            const RankCounts counts = countSystemRanksByWalking(tips, draw);
            for (std::size_t r = 0; r < total.size(); ++r)
                total[r] += counts[r];
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_ArchiveByWalkingTheTips)->Unit(benchmark::kMillisecond);

int once() {
    const auto start = std::chrono::steady_clock::now();
    const SystemBet bet = largestSystem();
    const std::vector<SystemTip> tips = expandSystem(bet);
    DrawArchiveReader reader(LOTTO_BUNDLED_DAT);
    const SystemBalance balance = computeSystemBalance(reader, ArchiveFilter{}, kLastDay, bet, {}, 120);
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::cout << "system " << systemName(bet) << ": " << tips.size() << " tips, " << balance.tally.played
              << " draws, 3er " << balance.tally.ranks[static_cast<std::size_t>(PrizeRank::Three)] << ", "
              << ms << " ms inside the process\n";
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--once") == 0) return once();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
