#include "core/StateFixture.h"
#include "core/archive/DrawStepping.h"
#include "core/shell/MainState.h"

#include <gtest/gtest.h>

using namespace lotto;
using namespace lotto::test;

namespace {
// Sun 06.01.02, Wed 09.01.02, Sun 13.01.02, Wed 16.01.02, Sun 20.01.02, Wed 23.01.02: the
// first main number is the record's position + 1.
struct SteppingFixture : StateFixture<> {
    SteppingFixture() {
        state.setTipsReady(true);
        archive({draw(2002, 1, 6, {1, 10, 20, 30, 40, 45}, 2), draw(2002, 1, 9, {2, 10, 20, 30, 40, 45}, 3),
                 draw(2002, 1, 13, {3, 10, 20, 30, 40, 45}, 4), draw(2002, 1, 16, {4, 10, 20, 30, 40, 45}, 5),
                 draw(2002, 1, 20, {5, 10, 20, 30, 40, 45}, 6),
                 draw(2002, 1, 23, {6, 10, 20, 30, 40, 45}, 7)});
    }
    void showNewest() {
        state.setDrawDate(dayNumber(2026, 1, 1));
        state.SpeedButton5Click();
    }
    int shown() const { return state.currentDraw().numbers[0]; }
};

} // namespace

TEST_F(SteppingFixture, BackAndForwardWithBothBoxes) {
    showNewest();
    state.SpeedButton6Click();
    state.SpeedButton6Click();
    EXPECT_EQ(shown(), 4); // the third-latest
    EXPECT_EQ(state.drawStepIndex(), 3);
    EXPECT_EQ(state.label(WindowLabel::TipPageDraw).text, "Mi 16.01.02    4  10  20  30  40  45 Z:5");
    EXPECT_EQ(state.label(WindowLabel::DrawCaption).text, state.label(WindowLabel::TipPageDraw).text);
    EXPECT_EQ(state.label(WindowLabel::DigitSum).text, "Quersumme: 149");
    EXPECT_EQ(state.drawDate(), dayNumber(2002, 1, 16));
    state.SpeedButton7Click();
    EXPECT_EQ(shown(), 5);
}

TEST_F(SteppingFixture, EndsOfTheArchive) {
    showNewest();
    state.SpeedButton7Click();
    EXPECT_EQ(shown(), 6);
    EXPECT_EQ(state.drawStepIndex(), 5);
    state.setDrawDate(dayNumber(2002, 1, 1));
    state.SpeedButton5Click();
    state.SpeedButton6Click();
    EXPECT_EQ(shown(), 1);
    EXPECT_EQ(state.drawStepIndex(), 0);
}

TEST_F(SteppingFixture, OnlyWednesdays) {
    state.setWeekdayBox(WeekdayBox::Sundays, false);
    state.setDrawDate(dayNumber(2002, 1, 9));
    state.SpeedButton5Click();
    state.SpeedButton7Click();
    EXPECT_EQ(shown(), 4);
    state.SpeedButton7Click();
    EXPECT_EQ(shown(), 6);
    state.SpeedButton6Click();
    EXPECT_EQ(shown(), 4);
}

TEST_F(SteppingFixture, OnlySundaysWithAWednesdayLast) {
    state.setWeekdayBox(WeekdayBox::Wednesdays, false);
    state.setDrawDate(dayNumber(2002, 1, 20));
    state.SpeedButton5Click();
    state.SpeedButton7Click(); // past the last Sunday: the Wednesday is skipped, back to the Sunday
    EXPECT_EQ(shown(), 5);
    EXPECT_EQ(state.drawStepIndex(), 4);
    state.SpeedButton6Click();
    EXPECT_EQ(shown(), 3);
}

TEST_F(SteppingFixture, StepsThatFindNothingStayWhereTheyWere) {
    // Back from the first Wednesday with only Wednesdays: record 0 is a Sunday.
    state.setWeekdayBox(WeekdayBox::Sundays, false);
    state.setDrawDate(dayNumber(2002, 1, 9));
    state.SpeedButton5Click();
    const std::string caption = state.label(WindowLabel::TipPageDraw).text;
    state.SpeedButton6Click();
    EXPECT_EQ(shown(), 2);
    EXPECT_EQ(state.drawStepIndex(), 1);
    EXPECT_EQ(state.label(WindowLabel::TipPageDraw).text, caption);
    EXPECT_EQ(state.drawDate(), dayNumber(2002, 1, 9));

    // Both boxes off: nothing moves in either direction.
    state.setWeekdayBox(WeekdayBox::Wednesdays, false);
    state.SpeedButton7Click();
    EXPECT_EQ(shown(), 2);
    state.SpeedButton6Click();
    EXPECT_EQ(shown(), 2);
    EXPECT_EQ(state.drawStepIndex(), 1);

    // Forward when the last two records are skipped.
    archive({draw(2002, 1, 6, {1, 10, 20, 30, 40, 45}, 2), draw(2002, 1, 9, {2, 10, 20, 30, 40, 45}, 3),
             draw(2002, 1, 13, {3, 10, 20, 30, 40, 45}, 4), draw(2002, 1, 16, {4, 10, 20, 30, 40, 45}, 5),
             draw(2002, 1, 18, {5, 10, 20, 30, 40, 45}, 6)}); // a Friday draw is never skipped
    state.setWeekdayBox(WeekdayBox::Sundays, true);
    state.setWeekdayBox(WeekdayBox::Wednesdays, true);
    state.setDrawDate(dayNumber(2002, 1, 13));
    state.SpeedButton5Click();
    state.setWeekdayBox(WeekdayBox::Wednesdays, false);
    state.SpeedButton7Click();
    EXPECT_EQ(shown(), 5); // Friday passes
    state.setWeekdayBox(WeekdayBox::Sundays, false);
    state.setDrawDate(dayNumber(2002, 1, 6));
    state.SpeedButton5Click();
    state.SpeedButton7Click();
    EXPECT_EQ(shown(), 5);
}

TEST_F(SteppingFixture, LastTwoSkippedStaysPut) {
    archive({draw(2002, 1, 6, {1, 10, 20, 30, 40, 45}, 2), draw(2002, 1, 9, {2, 10, 20, 30, 40, 45}, 3),
             draw(2002, 1, 16, {3, 10, 20, 30, 40, 45}, 4)});
    state.setDrawDate(dayNumber(2002, 1, 6));
    state.SpeedButton5Click();
    state.setWeekdayBox(WeekdayBox::Wednesdays, false);
    state.SpeedButton7Click();
    EXPECT_EQ(shown(), 1);
    EXPECT_EQ(state.drawStepIndex(), 0);
}

TEST_F(SteppingFixture, EmptyAndMissingArchive) {
    showNewest();
    const std::string caption = state.label(WindowLabel::TipPageDraw).text;
    archive({});
    state.SpeedButton7Click();
    state.SpeedButton6Click();
    EXPECT_EQ(state.label(WindowLabel::TipPageDraw).text, caption);
    EXPECT_EQ(state.drawStepIndex(), 5);
    std::filesystem::remove(dir.file("ZahlenAT.dat"));
    EXPECT_THROW(state.SpeedButton7Click(), FileError);
}

TEST_F(SteppingFixture, EachStepChecksTheTips) {
    for (int c = 0; c < 6; ++c)
        state.setCell(c, std::to_string(std::vector<int>{4, 10, 20, 1, 2, 3}[static_cast<std::size_t>(c)]));
    showNewest();
    state.SpeedButton6Click();
    state.SpeedButton6Click();
    EXPECT_EQ(state.label(hitLabel(0)).text, "3"); // 4, 10 and 20
    EXPECT_EQ(state.label(hitLabel(0)).color, LabelColor::Red);
    EXPECT_EQ(state.cell(0), "1");
}

// Sun, Wed, Sun, Wed: the ends of the archive with one weekday switched off.
TEST(DrawStepping, EndsWithAWeekdayOff) {
    TempDir dir;
    writeArchive(dir.file("a.dat"),
                 {draw(2002, 1, 6, {1, 10, 20, 30, 40, 45}, 2), draw(2002, 1, 9, {2, 10, 20, 30, 40, 45}, 3),
                  draw(2002, 1, 13, {3, 10, 20, 30, 40, 45}, 4),
                  draw(2002, 1, 16, {4, 10, 20, 30, 40, 45}, 5)});
    DrawArchiveReader reader(dir.file("a.dat"));
    const ArchiveFilter sundays{0, true, false};
    const ArchiveFilter wednesdays{0, false, true};
    // "index/first number" of the step's target, "-" for none.
    const auto step = [&](std::int64_t from, StepDirection direction, const ArchiveFilter& boxes) {
        const auto to = stepDraw(reader, from, direction, boxes);
        return to ? std::to_string(to->index) + "/" + std::to_string(to->record.numbers[0]) : "-";
    };
    EXPECT_EQ(step(2, StepDirection::Forward, sundays), "2/3"); // turned back from the last
    EXPECT_EQ(step(0, StepDirection::Back, sundays), "0/1");
    EXPECT_EQ(step(1, StepDirection::Back, wednesdays), "-");
    EXPECT_EQ(step(3, StepDirection::Forward, wednesdays), "3/4");
    EXPECT_EQ(step(1, StepDirection::Forward, {0, false, false}), "-");
    EXPECT_EQ(step(9, StepDirection::Back, wednesdays), "8/4"); // the archive has shrunk
}
