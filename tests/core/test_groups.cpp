#include "core/StateFixture.h"
#include "core/shell/MainState.h"

#include <gtest/gtest.h>

using namespace lotto;
using namespace lotto::test;

namespace {
struct GroupFixture : StateFixture<> {
    std::vector<int> xsWithY(int y) const {
        std::vector<int> xs;
        for (const ChartBar& b : state.chart().bars)
            if (b.y == y) xs.push_back(b.x);
        return xs;
    }
};

} // namespace

TEST_F(GroupFixture, PairsTriplesAndQuadruplesOfOneDraw) {
    archive({draw(2002, 1, 6, {3, 4, 5, 20, 21, 40}, 41, 7)});
    changeBufferedDraw([](CurrentDraw& draw) { draw.date = 123; });
    state.Button2Click();
    EXPECT_EQ(state.chart().bars.size(), 44U);
    EXPECT_EQ(xsWithY(1), (std::vector<int>{3, 4, 20}));
    EXPECT_EQ(state.chart().axisTitle, "Bei 1 Ziehungen wurden 3 Paare gefunden!");
    EXPECT_FALSE(state.chart().valueAxisAutomatic);
    EXPECT_EQ(state.chart().valueAxisMin, 0);
    EXPECT_EQ(state.chart().valueAxisMax, 1);
    EXPECT_EQ(state.activePage(), Page::Diagramm);
    // The user's search puts the shown draw back; the pool's search leaves the last passing
    // draw in the buffer, its date kept.
    EXPECT_EQ(state.currentDraw().numbers, (std::array<int, 8>{}));
    state.runGroupSearch(2);
    EXPECT_EQ(state.currentDraw().numbers, (std::array<int, 8>{3, 4, 5, 20, 21, 40, 41, 7}));
    EXPECT_EQ(state.currentDraw().date, 123);

    state.Button3Click();
    EXPECT_EQ(state.chart().bars.size(), 43U);
    EXPECT_EQ(xsWithY(1), std::vector<int>{3});
    EXPECT_EQ(state.chart().axisTitle, "Bei 1 Ziehungen wurden 1 Dreier gefunden!");

    state.Button4Click();
    EXPECT_EQ(state.chart().bars.size(), 45U);
    EXPECT_TRUE(xsWithY(1).empty());
    EXPECT_TRUE(state.chart().valueAxisAutomatic);
    EXPECT_EQ(state.chart().axisTitle, "Bei 1 Ziehungen wurden 0 Vierer gefunden!");
}

TEST_F(GroupFixture, RunsCountOncePerStartAndAtTheTopEnd) {
    archive({draw(2002, 1, 6, {7, 8, 9, 10, 44, 45}, 1), draw(2002, 1, 9, {1, 2, 3, 4, 43, 44}, 45)});
    state.Button2Click();
    EXPECT_EQ(xsWithY(1),
              (std::vector<int>{1, 2, 3, 7, 8, 9, 43, 44})); // 44-45 at 44; 45 as extra does not count
    EXPECT_EQ(state.chart().axisTitle, "Bei 2 Ziehungen wurden 8 Paare gefunden!");
    state.Button3Click();
    EXPECT_EQ(xsWithY(1), (std::vector<int>{1, 2, 7, 8}));
    EXPECT_EQ(state.chart().bars.back().x, 43); // no point for 44
    state.Button4Click();
    EXPECT_EQ(xsWithY(1), (std::vector<int>{1, 7}));
    EXPECT_EQ(state.chart().bars[42].y + state.chart().bars[43].y + state.chart().bars[44].y, 0);
    state.runGroupSearch(4);
    // The last run tested, 42..45 against the last draw: 43 and 44 hit, 45 is its extra number.
    EXPECT_EQ(state.currentDraw().hits, 2);
    EXPECT_TRUE(state.currentDraw().extraHit);
}

TEST_F(GroupFixture, UserSearchKeepsTheTipsRatedAgainstTheCaptionedDraw) {
    archive({draw(2002, 1, 6, {1, 2, 3, 4, 5, 6}, 7), draw(2002, 1, 9, {10, 11, 12, 13, 14, 15}, 16)});
    state.setTipsReady(true);
    state.setDrawDate(dayNumber(2002, 1, 6));
    state.SpeedButton5Click(); // tip 1 is 1..6 by default
    const std::string caption = state.label(WindowLabel::TipPageDraw).text;
    for (auto search : {&MainState::Button2Click, &MainState::Button3Click, &MainState::Button4Click}) {
        (state.*search)();
        state.Edit1Exit();
        EXPECT_EQ(state.label(WindowLabel::TipPageDraw).text, caption);
        EXPECT_EQ(state.drawDate(), dayNumber(2002, 1, 6));
        EXPECT_EQ(state.label(hitLabel(0)).text, "6"); // not 0 against 10..15
    }
}

TEST_F(GroupFixture, OverdueNumbers) {
    archive({draw(2002, 1, 6, {1, 2, 3, 4, 5, 6}, 7), draw(2002, 1, 9, {8, 9, 10, 11, 12, 13}, 14),
             draw(2002, 1, 12, {20, 21, 22, 23, 24, 25}, 26), // Saturday: not counted
             draw(2002, 1, 13, {15, 16, 17, 18, 19, 1}, 30)});
    state.Button5Click();
    const auto& bars = state.chart().bars;
    EXPECT_EQ(bars[29].y, 1); // only the extra number of the newest draw
    EXPECT_EQ(bars[0].y, 1);
    EXPECT_EQ(bars[7].y, 2);
    EXPECT_EQ(bars[1].y, 3);
    EXPECT_EQ(bars[19].y, 4); // never: 1 + all passing draws
    EXPECT_EQ(state.chart().valueAxisMin, 1);
    EXPECT_EQ(state.chart().valueAxisMax, 4);
    EXPECT_EQ(state.chart().axisTitle,
              "Welche Zahl ist überfällig, wurde also seit wie vielen Ziehungen nicht gezogen?");
}

TEST_F(GroupFixture, NoPassingDraw) {
    archive({draw(2002, 1, 6, {1, 2, 3, 4, 5, 6}, 7)});
    state.setWeekdayBox(WeekdayBox::Sundays, false);
    changeBufferedDraw([](CurrentDraw& draw) { draw.numbers = {9, 9, 9, 9, 9, 9, 9, 9}; });
    state.Button5Click();
    for (const ChartBar& b : state.chart().bars)
        EXPECT_EQ(b.y, 1);
    state.Button2Click();
    for (const ChartBar& b : state.chart().bars)
        EXPECT_EQ(b.y, 0);
    EXPECT_EQ(state.chart().axisTitle, "Bei 0 Ziehungen wurden 0 Paare gefunden!");
    EXPECT_EQ(state.currentDraw().numbers[0], 9);
}

TEST_F(GroupFixture, DamagedBytesNeverIndexOutsideTheTables) {
    archive({draw(2002, 1, 6, {255, 46, 0, 44, 45, 45}, 200, 255)});
    state.Button5Click();
    EXPECT_EQ(state.chart().bars[43].y, 1);
    state.Button2Click();
    EXPECT_EQ(state.chart().bars[43].y, 0); // 45 twice: three hits on the pair 44-45, not two
    state.Button4Click();
    EXPECT_EQ(state.chart().axisTitle, "Bei 1 Ziehungen wurden 0 Vierer gefunden!");
}

TEST_F(GroupFixture, MissingArchiveLeavesTheChart) {
    archive({draw(2002, 1, 6, {1, 2, 3, 4, 5, 6}, 7)});
    state.Button2Click();
    const auto title = state.chart().axisTitle;
    std::filesystem::remove(dir.file("ZahlenAT.dat"));
    for (auto op : {&MainState::Button2Click, &MainState::Button3Click, &MainState::Button4Click,
                    &MainState::Button5Click})
        EXPECT_THROW((state.*op)(), FileError);
    EXPECT_EQ(state.chart().axisTitle, title);
}
