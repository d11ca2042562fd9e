#include "core/StateFixture.h"
#include "core/shell/MainState.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace lotto;
using namespace lotto::test;

namespace {
struct ChartFixture : StateFixture<> {};

} // namespace

TEST_F(ChartFixture, OneDrawGivesOneAtEachOfItsSevenNumbers) {
    archive({draw(2002, 1, 6, {1, 2, 3, 4, 5, 6}, 7, 9)});
    state.SpeedButton2Click();
    const ChartModel& chart = state.chart();
    ASSERT_EQ(chart.bars.size(), 45U);
    for (int n = 1; n <= 45; ++n) {
        EXPECT_EQ(chart.bars[static_cast<std::size_t>(n - 1)].x, n);
        EXPECT_EQ(chart.bars[static_cast<std::size_t>(n - 1)].y, n <= 7 ? 1 : 0) << n;
    }
    EXPECT_FALSE(chart.valueAxisAutomatic);
    EXPECT_EQ(chart.valueAxisMin, 0);
    EXPECT_EQ(chart.valueAxisMax, 1);
    EXPECT_EQ(chart.axisTitle, "Zahlenverteilung     Ziehungen: 1    Quersumme: 21");
    EXPECT_FALSE(chart.surfaceSeriesActive);
    EXPECT_EQ(host.busyDepth, 0);

    state.SpeedButton9Click();
    EXPECT_EQ(state.chart().bars, (std::vector<ChartBar>{{21, 1}}));
    EXPECT_TRUE(state.chart().valueAxisAutomatic);
    EXPECT_EQ(state.chart().axisTitle, "Quersummenverteilung     Ziehungen: 1    Quersumme: 21");
}

TEST_F(ChartFixture, DigitSumsFillTheGapsWithZero) {
    archive({draw(2002, 1, 6, {10, 15, 16, 17, 20, 22}, 1), draw(2002, 1, 9, {10, 15, 16, 17, 20, 26}, 2)});
    state.SpeedButton9Click();
    EXPECT_EQ(state.chart().bars, (std::vector<ChartBar>{{100, 1}, {101, 0}, {102, 0}, {103, 0}, {104, 1}}));
    EXPECT_EQ(state.chart().axisTitle, "Quersummenverteilung     Ziehungen: 2    Quersumme: 102");
}

TEST_F(ChartFixture, NothingPassingDividesByNothing) {
    archive({draw(2002, 1, 5, {1, 2, 3, 4, 5, 6}, 7)}); // a Saturday never passes
    state.SpeedButton2Click();
    EXPECT_EQ(state.chart().axisTitle, "Zahlenverteilung     Ziehungen: 0    Quersumme: 0");
    EXPECT_EQ(state.chart().valueAxisMax, 0);
    state.SpeedButton9Click();
    EXPECT_TRUE(state.chart().bars.empty());
    EXPECT_EQ(state.chart().axisTitle, "Quersummenverteilung     Ziehungen: 0    Quersumme: 0");

    archive({draw(2002, 1, 6, {1, 2, 3, 4, 5, 6}, 7)});
    state.setWeekdayBox(WeekdayBox::Sundays, false);
    state.setWeekdayBox(WeekdayBox::Wednesdays, false);
    state.SpeedButton2Click();
    EXPECT_EQ(state.chart().axisTitle, "Zahlenverteilung     Ziehungen: 0    Quersumme: 0");
}

TEST_F(ChartFixture, StartDateAndWeekdayChoiceFilterTheCharts) {
    archive({draw(2002, 1, 2, {1, 2, 3, 4, 5, 6}, 7), draw(2002, 1, 6, {1, 2, 3, 4, 5, 8}, 9),
             draw(2002, 1, 9, {1, 2, 3, 4, 5, 10}, 11)});
    state.setStatisticsStart(dayNumber(2002, 1, 6));
    state.SpeedButton2Click();
    EXPECT_EQ(state.chart().bars[0].y, 2); // 02.01. is before the start date
    state.setWeekdayBox(WeekdayBox::Wednesdays, false);
    state.SpeedButton2Click();
    EXPECT_EQ(state.chart().bars[0].y, 1);
    EXPECT_EQ(state.chart().bars[7].y, 1); // only the Sunday draw
}

TEST_F(ChartFixture, DamagedNumberBytesAreNotCounted) {
    DrawRecord broken = draw(2002, 1, 6, {0, 46, 255, 4, 5, 6}, 200, 99);
    archive({broken, draw(2002, 1, 9, {1, 2, 3, 4, 5, 6}, 7)});
    state.SpeedButton2Click();
    EXPECT_EQ(state.chart().bars[3].y, 2); // number 4 in both draws
    EXPECT_EQ(state.chart().bars[0].y, 1);
    EXPECT_EQ(state.chart().axisTitle, "Zahlenverteilung     Ziehungen: 2    Quersumme: 21");
    state.SpeedButton9Click();
    EXPECT_EQ(state.chart().bars, (std::vector<ChartBar>{{21, 1}}));

    // Repeated numbers are damaged too, but in range: their sum still fits the table.
    archive({draw(2002, 1, 6, {45, 45, 45, 45, 45, 45}, 45)});
    state.SpeedButton9Click();
    EXPECT_EQ(state.chart().bars, (std::vector<ChartBar>{{270, 1}}));
}

TEST_F(ChartFixture, MissingArchiveKeepsThePreviousChart) {
    archive({draw(2002, 1, 6, {1, 2, 3, 4, 5, 6}, 7)});
    state.SpeedButton2Click();
    const ChartModel before = state.chart();
    std::filesystem::remove(dir.file("ZahlenAT.dat"));
    EXPECT_THROW(state.SpeedButton9Click(), FileError);
    EXPECT_EQ(state.chart().bars, before.bars);
    EXPECT_EQ(state.chart().axisTitle, before.axisTitle);
    EXPECT_EQ(host.busyDepth, 0);
}

TEST_F(ChartFixture, TipDistributionStopsAtTheFirstEmptyCell) {
    state.SpeedButton11Click();
    const int tips[2][6] = {{1, 2, 3, 4, 5, 6}, {3, 7, 12, 25, 33, 41}};
    for (int t = 0; t < 2; ++t)
        for (int c = 0; c < 6; ++c)
            state.setCell(t * 6 + c, std::to_string(tips[t][c]));
    for (int c = 0; c < 6; ++c)
        state.setCell(18 + c, std::to_string(c + 3)); // tip 4: after the empty tip 3
    state.Button6Click();
    const ChartModel& chart = state.chart();
    EXPECT_EQ(chart.bars[2].y, 2); // 3 in tips 1 and 2, tip 4 not reached
    EXPECT_EQ(chart.bars[40].y, 1);
    EXPECT_EQ(chart.bars[7].y, 0);
    EXPECT_EQ(chart.axisTitle, "Zahlenverteilung des Tippes");
    EXPECT_EQ(chart.valueAxisMin, 0);
    EXPECT_EQ(chart.valueAxisMax, 2);
    EXPECT_EQ(state.activePage(), Page::Diagramm);

    for (int c = 0; c < 6; ++c) {
        state.setCell(12 + c, std::to_string(tips[0][c] + 1)); // tip 3: 2..7, so 3 stands in three tips
        state.setCell(18 + c, "");
    }
    state.Button6Click();
    EXPECT_EQ(state.chart().bars[2].y, 3);
    EXPECT_EQ(state.chart().valueAxisMin, 0);
}

TEST(ChartsOnRealDraws, FrequencyMatchesAnIndependentCount) {
    TempDir dir;
    FakeHost host;
    FakeClock clock;
    const std::vector<DrawRecord> draws = realDraws();
    ASSERT_EQ(draws.size(), 3672U);
    std::array<int, 46> expected{};
    long long count = 0, sum = 0;
    for (const DrawRecord& r : draws) {
        const int wd = weekday(r.day());
        if (wd != kSunday && wd != kWednesday) continue;
        ++count;
        for (int i = 0; i < 7; ++i)
            ++expected[r.numbers[static_cast<std::size_t>(i)]];
        for (int i = 0; i < 6; ++i)
            sum += r.numbers[static_cast<std::size_t>(i)];
    }
    EXPECT_EQ(count, 2077 + 1509);

    std::filesystem::copy_file(realArchivePath(), dir.file("ZahlenAT.dat"));
    MainState state(dir.path(), host, clock);
    state.SpeedButton2Click();
    int low = 1 << 30, high = 0;
    for (int n = 1; n <= 45; ++n) {
        EXPECT_EQ(state.chart().bars[static_cast<std::size_t>(n - 1)].y,
                  expected[static_cast<std::size_t>(n)])
            << n;
        low = std::min(low, expected[static_cast<std::size_t>(n)]);
        high = std::max(high, expected[static_cast<std::size_t>(n)]);
    }
    EXPECT_EQ(state.chart().valueAxisMin, low);
    EXPECT_EQ(state.chart().valueAxisMax, high);
    const auto average =
        static_cast<long long>(std::nearbyint(static_cast<double>(sum) / static_cast<double>(count)));
    EXPECT_EQ(state.chart().axisTitle, "Zahlenverteilung     Ziehungen: " + std::to_string(count) +
                                           "    Quersumme: " + std::to_string(average));
}
