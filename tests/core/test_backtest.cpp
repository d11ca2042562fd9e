// The walk-forward test ("Strategie-Test"): each draw's tips against the plain generation run
// on the archive cut before it, honesty towards later draws, and the odds it compares with.
#include "core/StateFixture.h"
#include "core/backtest/ChanceComparison.h"
#include "core/backtest/WalkForward.h"
#include "core/util/Text.h"

#include <cmath>
#include <map>

using namespace lotto;
using namespace lotto::test;

namespace {

using Tips = std::array<TipNumbers, 12>;

struct WalkForwardFixture : StateFixture<> {
    std::vector<DrawRecord> records = realDraws();
    std::map<std::int64_t, Tips> tested;

    void SetUp() override { realArchive(); }

    WalkForwardResult runTest(DayNumber since, DayNumber to, std::uint32_t seed) {
        ArchiveFilter period = state.archiveFilter();
        period.startDate = since;
        const auto result =
            state.StrategieTestClick(period, to, seed, [&](const TestedDraw& d, std::int64_t, std::int64_t) {
                tested[d.position] = d.tips;
                return true;
            });
        EXPECT_TRUE(result.has_value());
        return *result;
    }

    // The window's own generation run with the same options on an archive of the draws
    // before `position`, as `lotto-cli generate --seed` would run it there.
    Tips generateOnCut(std::int64_t position, std::uint32_t seed) {
        TempDir cutDir;
        FakeHost cutHost;
        MainState cut(cutDir.path(), cutHost, clock);
        writeArchive(cutDir.file("ZahlenAT.dat"), {records.begin(), records.begin() + position});
        for (const OptionInfo& info : kGenerationOptions)
            cut.setOption(info.option, state.value(info.option));
        cut.UpDown7Changing();
        cut.setStatisticsStart(state.statisticsStart());
        cut.setWeekdayBox(WeekdayBox::Sundays, state.weekdayBox(WeekdayBox::Sundays));
        cut.setWeekdayBox(WeekdayBox::Wednesdays, state.weekdayBox(WeekdayBox::Wednesdays));
        cut.random().setSeed(seed);
        cut.Label28Click();
        Tips tips{};
        for (int c = 0; c < tipgrid::kCells; ++c)
            tips[static_cast<std::size_t>(c / 6)][static_cast<std::size_t>(c % 6)] =
                toInt(cut.cell(c)).value_or(0);
        return tips;
    }

    void expectEveryDrawAsGenerated(std::uint32_t seed, std::size_t minimumDraws) {
        ASSERT_GE(tested.size(), minimumDraws);
        for (const auto& [position, tips] : tested)
            ASSERT_EQ(tips, generateOnCut(position, seed + static_cast<std::uint32_t>(position)))
                << "draw at position " << position;
    }
};

} // namespace

TEST_F(WalkForwardFixture, DefaultOptionsGiveTheTipsOfGenerateOnTheCutArchive) {
    const WalkForwardResult r = runTest(dayNumber(2024, 1, 1), dayNumber(2024, 2, 29), 4711);
    EXPECT_EQ(r.draws, 17);
    EXPECT_EQ(r.tips, 17 * 12);
    EXPECT_EQ(r.stakeCents, 17 * 12 * 120);
    expectEveryDrawAsGenerated(4711, 17);
}

TEST_F(WalkForwardFixture, GroupPassesWeekdayFilterAndWrappingSeed) {
    for (Option o : {Option::PreferFrequentPairs, Option::PreferRarestTriples,
                     Option::PreferFrequentQuadruples, Option::PreferRarestQuadruples, Option::OnlyPreferred})
        state.setOption(o, 1);
    state.setOption(Option::TipCount, 8);
    state.setWeekdayBox(WeekdayBox::Sundays, false); // the generation's statistics and stepping
    state.setStatisticsStart(dayNumber(2015, 1, 1));
    ArchiveFilter period = state.archiveFilter();
    period.startDate = dayNumber(2020, 1, 1);
    period.sundays = true; // the period tests Sundays all the same
    state.StrategieTestClick(period, dayNumber(2020, 2, 15), 4294967290U,
                             [&](const TestedDraw& d, std::int64_t, std::int64_t) {
                                 tested[d.position] = d.tips;
                                 return true;
                             });
    expectEveryDrawAsGenerated(4294967290U, 13);
}

TEST_F(WalkForwardFixture, FirstDrawsOfTheArchiveAndALooseningBudget) {
    state.setStatisticsStart(dayNumber(1980, 1, 1));
    state.setOption(Option::MaxRunsThousands, 25);
    state.setOption(Option::DigitSumFrom, 100);
    state.setOption(Option::DigitSumTo, 103);
    state.setOption(Option::MaxCommonWithTips, 1);
    state.UpDown7Changing();
    const WalkForwardResult r = runTest(dayNumber(1980, 1, 1), dayNumber(1986, 11, 1), 0);
    EXPECT_LT(r.tips, r.draws * 12); // the budget ran out: empty tips are neither checked nor paid
    EXPECT_EQ(r.stakeCents, r.tips * 120);
    EXPECT_EQ(tested.count(0), 1U); // the very first draw, on an empty archive
    expectEveryDrawAsGenerated(0, 8);
}

TEST(WalkForward, LaterDrawsNeverChangeEarlierTips) {
    std::vector<DrawRecord> records = realDraws();
    WalkForwardSettings settings;
    settings.options = defaultOptionValues();
    settings.statistics.startDate = dayNumber(2000, 1, 1);
    settings.today = dayNumber(2026, 12, 7);
    settings.period.startDate = dayNumber(2020, 1, 1);
    settings.to = dayNumber(2020, 6, 30);
    const auto tipsOf = [&](std::map<std::int64_t, Tips>& out) {
        return runWalkForward(records, settings, {}, [&](const TestedDraw& d, std::int64_t, std::int64_t) {
            out[d.position] = d.tips;
            return true;
        });
    };
    std::map<std::int64_t, Tips> before, after;
    tipsOf(before);
    ASSERT_GT(before.size(), 40U);
    const std::int64_t changed = std::next(before.begin(), 20)->first;
    records[static_cast<std::size_t>(changed)].numbers = {1, 2, 3, 4,
                                                          5, 6, 7, 0}; // its own numbers and all after
    tipsOf(after);
    bool laterDiffers = false;
    for (const auto& [position, tips] : before) {
        if (position <= changed)
            EXPECT_EQ(after.at(position), tips) << "position " << position;
        else
            laterDiffers = laterDiffers || after.at(position) != tips;
    }
    EXPECT_TRUE(laterDiffers); // the change did reach the draws after it
}

TEST(WalkForward, RanksWinningsAndExtraOnlyDrawsAndStop) {
    const std::vector<DrawRecord> records = realDraws();
    WalkForwardSettings settings;
    settings.options = defaultOptionValues();
    settings.today = dayNumber(2026, 12, 7);
    settings.period.startDate = dayNumber(2015, 1, 1);
    settings.to = dayNumber(2016, 12, 31);
    settings.stakeCents = 150;
    // 3er pays 5,00 € at every draw; ZZ alone is paid (1,10 €) at Wednesdays only.
    PrizeTable quotas;
    for (const DrawRecord& r : records)
        if (settings.period.passes(r) && r.day() <= settings.to) {
            quotas[r.day()].push_back({PrizeRank::Three, 1, 500, Currency::Euro});
            if (weekday(r.day()) == kWednesday)
                quotas[r.day()].push_back({PrizeRank::Extra, 1, 110, Currency::Euro});
        }
    std::int64_t wednesdays = 0;
    const WalkForwardResult r =
        runWalkForward(records, settings, quotas, [&](const TestedDraw& d, std::int64_t, std::int64_t) {
            wednesdays += weekday(records[static_cast<std::size_t>(d.position)].day()) == kWednesday;
            return true;
        });
    std::int64_t hits = 0;
    for (std::int64_t h : r.hits)
        hits += h;
    EXPECT_EQ(hits, r.tips);
    EXPECT_EQ(r.ranks[static_cast<std::size_t>(PrizeRank::Three)] +
                  r.ranks[static_cast<std::size_t>(PrizeRank::ThreeExtra)],
              r.hits[3]);
    EXPECT_GT(r.ranks[static_cast<std::size_t>(PrizeRank::Extra)], 0);
    EXPECT_EQ(r.wonCents, 500 * r.ranks[static_cast<std::size_t>(PrizeRank::Three)] +
                              110 * r.ranks[static_cast<std::size_t>(PrizeRank::Extra)]);
    EXPECT_EQ(r.extraOnlyTips, wednesdays * 12);
    EXPECT_EQ(r.stakeCents, r.tips * 150);

    const WalkForwardResult stopped = runWalkForward(
        records, settings, quotas, [&](const TestedDraw&, std::int64_t done, std::int64_t total) {
            EXPECT_EQ(total, r.draws);
            return done < 3;
        });
    EXPECT_TRUE(stopped.stopped);
    EXPECT_EQ(stopped.draws, 3);
}

TEST(ChanceOdds, ExactHitAndRankProbabilities) {
    const double all = 8145060.0;
    EXPECT_DOUBLE_EQ(hitProbability(0), 3262623.0 / all);
    EXPECT_DOUBLE_EQ(hitProbability(3), 20.0 * 9139.0 / all);
    EXPECT_DOUBLE_EQ(hitProbability(6), 1.0 / all);
    double sum = 0.0;
    for (int k = 0; k <= 6; ++k)
        sum += hitProbability(k);
    EXPECT_NEAR(sum, 1.0, 1e-15);
    EXPECT_DOUBLE_EQ(rankProbability(PrizeRank::FiveExtra), 6.0 / all);
    EXPECT_DOUBLE_EQ(rankProbability(PrizeRank::Five), 6.0 * 38.0 / all);
    EXPECT_DOUBLE_EQ(rankProbability(PrizeRank::ThreeExtra), 20.0 * 703.0 / all);
    EXPECT_DOUBLE_EQ(rankProbability(PrizeRank::Three), 20.0 * 8436.0 / all);
    EXPECT_DOUBLE_EQ(rankProbability(PrizeRank::Extra), (501942.0 + 6.0 * 73815.0 + 15.0 * 8436.0) / all);
    EXPECT_NEAR(rankProbability(PrizeRank::Four) + rankProbability(PrizeRank::FourExtra), hitProbability(4),
                1e-18);
}

TEST(ChanceOdds, UpperGammaAgreesWithTheClosedForms) {
    const double pi = std::acos(-1.0);
    EXPECT_EQ(regularizedUpperGamma(1.5, 0.0), 1.0);
    for (double x : {1e-4, 0.3, 1.0, 1.5, 2.5, 7.0, 30.0}) {
        EXPECT_NEAR(regularizedUpperGamma(0.5, x), std::erfc(std::sqrt(x)), 1e-14) << x;
        EXPECT_NEAR(regularizedUpperGamma(1.0, x), std::exp(-x), 1e-14) << x;
        EXPECT_NEAR(regularizedUpperGamma(1.5, x),
                    std::erfc(std::sqrt(x)) + 2.0 * std::sqrt(x / pi) * std::exp(-x), 1e-14)
            << x;
    }
}

TEST(ChanceOdds, ChiSquarePoolsTheLastClassUnderFiveExpected) {
    // References computed independently (python3, math.erfc) from the same counts.
    ChiSquareTest t = chiSquareOfHits({80, 90, 30, 8, 1, 0, 0}, 209); // "3 or more" expects 4.98
    EXPECT_EQ(t.degreesOfFreedom, 2);
    EXPECT_NEAR(t.statistic, 0.3379965045, 1e-9);
    EXPECT_NEAR(t.pValue, 0.8445103794, 1e-9);
    t = chiSquareOfHits({80, 90, 31, 8, 1, 0, 0}, 210); // expects 5.006
    EXPECT_EQ(t.degreesOfFreedom, 3);
    EXPECT_NEAR(t.statistic, 3.4205002162, 1e-9);
    EXPECT_NEAR(t.pValue, 0.3312202902, 1e-9);
    t = chiSquareOfHits({5, 10, 5, 0, 0, 0, 0}, 20); // two merges: 0 against 1 or more
    EXPECT_EQ(t.degreesOfFreedom, 1);
    EXPECT_NEAR(t.statistic, 1.888256511873148, 1e-9);
    EXPECT_NEAR(t.pValue, 0.1693987009492453, 1e-9);
    t = chiSquareOfHits({13297, 13996, 5212, 758, 49, 0, 0}, 33312);
    EXPECT_NEAR(t.statistic, 7.087543659555382, 1e-9);
    EXPECT_NEAR(t.pValue, 0.06915918947593286, 1e-9);
    t = chiSquareOfHits({}, 0);
    EXPECT_EQ(t.classes, 1);
    EXPECT_EQ(t.degreesOfFreedom, 0);
    EXPECT_EQ(t.statistic, 0.0);
    EXPECT_EQ(t.pValue, 1.0);
}

TEST(ChanceOdds, VerdictInPlainGerman) {
    const std::array<std::int64_t, 7> even{80, 90, 31, 8, 1, 0, 0};
    EXPECT_EQ(chanceVerdict({1.0, 3, 0.41, 4}, even, 210),
              "Die berechneten Tipps trafen so oft wie Zufallstipps (p = 0,41).");
    EXPECT_EQ(chanceVerdict({9.0, 3, 0.03, 4}, {50, 90, 51, 18, 1, 0, 0}, 210),
              "Die berechneten Tipps trafen öfter als Zufallstipps (p = 0,03).");
    EXPECT_EQ(chanceVerdict({30.0, 3, 0.0001, 4}, {150, 50, 10, 0, 0, 0, 0}, 210),
              "Die berechneten Tipps trafen seltener als Zufallstipps (p < 0,01).");
    EXPECT_EQ(chanceVerdict({}, {}, 0), "Zu wenige Tipps für einen Vergleich mit Zufallstipps.");
}
