// Boundaries that are easy to move by one without any other test noticing: each test
// below sits exactly on one edge.
#include "core/StateFixture.h"
#include "core/generation/ArchiveIndex.h"
#include "core/generation/PreferencePool.h"
#include "core/shell/GenerationRun.h"
#include "core/shell/MainState.h"
#include "core/shell/PoolBuilder.h"

#include <gtest/gtest.h>

#include <vector>

using namespace lotto;
using namespace lotto::test;

namespace {

// Keeps the status text of every repaint that showed a new one.
class StatusHost : public FakeHost {
public:
    MainState* state = nullptr;
    std::vector<std::string> statuses;
    void repaint(RepaintArea area) override {
        FakeHost::repaint(area);
        if (state && (statuses.empty() || statuses.back() != state->statusText(1)))
            statuses.push_back(state->statusText(1));
    }
};

struct BoundaryFixture : StateFixture<StatusHost> {
    BoundaryFixture() {
        host.state = &state;
        state.setTipsReady(true);
    }
    // Sun 06.01.02, Wed 09.01.02, Sun 13.01.02; the first number is the position + 1.
    static std::vector<DrawRecord> threeDraws() {
        return {draw(2002, 1, 6, {1, 10, 20, 30, 40, 45}, 2), draw(2002, 1, 9, {2, 10, 20, 30, 40, 45}, 3),
                draw(2002, 1, 13, {3, 10, 20, 30, 40, 45}, 4)};
    }
    void showNewest() {
        state.setDrawDate(dayNumber(2026, 1, 1));
        state.SpeedButton5Click();
    }
    int shown() const { return state.currentDraw().numbers[0]; }
    // Every preference switch off except `on`; no filter but the digit-sum window and the
    // always-on refusal of an equal tip; a budget of 1000 picks.
    void bareGeneration(std::initializer_list<Option> on = {}) {
        for (Option box :
             {Option::PreferFrequentPairs, Option::PreferOftenDrawn, Option::LimitCommonWithTips,
              Option::LimitLastDraw, Option::LimitSecondLastDraw, Option::PreferFrequentTriples,
              Option::PreferFrequentQuadruples, Option::ForcePair, Option::ArchiveRule, Option::PreferOverdue,
              Option::PreferRarestPairs, Option::PreferRarestTriples, Option::PreferRarestQuadruples,
              Option::PreferRarelyDrawn, Option::OnlyPreferred, Option::NoRunOfThree})
            state.setOption(box, false);
        for (Option box : on)
            state.setOption(box, true);
        state.setOption(Option::MaxRunsThousands, 1);
        state.UpDown7Changing();
    }
    std::vector<int> pool() {
        const PreferencePool p = buildPreferencePool(state);
        return {p.entries.begin(), p.entries.begin() + p.count};
    }
    bool tipEmpty(int t) const {
        for (int c = 0; c < 6; ++c)
            if (!state.cell(t * 6 + c).empty()) return false;
        return true;
    }
};

} // namespace

// --- archive and stepping

TEST_F(BoundaryFixture, StepForwardEndsOnTheLastWholeRecordBeforeAFragment) {
    const auto bytes = DrawArchive::encodeAll(threeDraws());
    writeBytes(dir.file("ZahlenAT.dat"), std::string(bytes.begin(), bytes.end()) + "\x01\x02\x03\x04\x05");
    showNewest();
    EXPECT_EQ(state.drawStepIndex(), 2);
    state.SpeedButton7Click();
    EXPECT_EQ(state.drawStepIndex(), 2);
    EXPECT_EQ(state.label(WindowLabel::TipPageDraw).text, "So 13.01.02    3  10  20  30  40  45 Z:4");
}

TEST_F(BoundaryFixture, OneRecordArchiveIsCaptionedWithTwoBlanks) {
    archive({draw(2002, 1, 6, {1, 2, 3, 4, 5, 6}, 7)});
    state.setDrawDate(dayNumber(2002, 1, 6));
    state.SpeedButton5Click();
    EXPECT_EQ(state.label(WindowLabel::DrawCaption).text, "So 06.01.02    1  2  3  4  5  6 Z:7");
}

TEST_F(BoundaryFixture, StepForwardFromASkippedLastRecordShowsTheOneBeforeIt) {
    archive(threeDraws());
    state.setWeekdayBox(WeekdayBox::Sundays, false); // the last record is a Sunday
    showNewest();
    state.SpeedButton7Click();
    EXPECT_EQ(shown(), 2);
    EXPECT_EQ(state.drawStepIndex(), 1);
}

// --- statistics

TEST_F(BoundaryFixture, RunSearchExtraHitWhenTheExtraNumberStartsTheLastRun) {
    archive({draw(2002, 1, 6, {1, 2, 3, 4, 5, 6}, 42)});
    state.runGroupSearch(4); // what the generation reads; last quadruple tested: 42..45
    EXPECT_TRUE(state.currentDraw().extraHit);
    EXPECT_EQ(state.currentDraw().hits, 0);
    state.runGroupSearch(3); // last triple tested: 43..45
    EXPECT_FALSE(state.currentDraw().extraHit);
}

// --- generation

TEST_F(BoundaryFixture, ArchiveRuleIncludesADrawOnTheStartDate) {
    archive({draw(2002, 1, 6, {1, 2, 3, 4, 5, 6}, 7), draw(2002, 1, 9, {10, 11, 12, 13, 14, 15}, 16)});
    state.setStatisticsStart(dayNumber(2002, 1, 9));
    EXPECT_FALSE(state.Secheroderfuenfer(10, 11, 12, 13, 14, 15));
    EXPECT_TRUE(state.Secheroderfuenfer(1, 2, 3, 4, 5, 6)); // the day before the start
    ArchiveIndex index(DrawArchive(state.archivePath()), dayNumber(2002, 1, 9));
    EXPECT_FALSE(index.allows({10, 11, 12, 13, 14, 15}, 5));
    EXPECT_TRUE(index.allows({1, 2, 3, 4, 5, 6}, 5));
}

TEST_F(BoundaryFixture, GroupPassesExamineUpToPair43Triple41Quadruple42) {
    // Two draws of 40..45: pairs from 40 to 44, triples from 40 to 43 and quadruples from
    // 40 to 42 have the top value 2.
    archive({draw(2002, 1, 6, {40, 41, 42, 43, 44, 45}, 1), draw(2002, 1, 9, {40, 41, 42, 43, 44, 45}, 2)});
    bareGeneration({Option::PreferFrequentPairs, Option::PreferFrequentTriples,
                    Option::PreferFrequentQuadruples, Option::OnlyPreferred});
    EXPECT_EQ(pool(), (std::vector<int>{40, 41, 41, 42, 42, 43, 43, 44,                    // pairs 40..43
                                        40, 41, 42, 41, 42, 43,                            // triples 40, 41
                                        40, 41, 42, 43, 41, 42, 43, 44, 42, 43, 44, 45})); // quadruples
    // Pairs 43-44 and 44-45 are the rarest drawn ones; only 43-44 is examined.
    archive({draw(2002, 1, 6, {1, 2, 3, 10, 20, 30}, 7), draw(2002, 1, 9, {1, 2, 3, 11, 21, 31}, 7),
             draw(2002, 1, 13, {5, 15, 25, 43, 44, 45}, 7)});
    bareGeneration({Option::PreferRarestPairs, Option::OnlyPreferred});
    EXPECT_EQ(pool(), (std::vector<int>{43, 44}));
}

TEST_F(BoundaryFixture, RarestQuadrupleStatusAndTheStartOfTheTipSearch) {
    // Nothing is preferred and only preferred numbers are wanted: no candidate ever shows,
    // so the window still shows the start text when tip 1 is written out empty.
    archive({draw(2002, 1, 6, {40, 41, 42, 43, 44, 45}, 1), draw(2002, 1, 9, {40, 41, 42, 43, 44, 45}, 2)});
    bareGeneration({Option::PreferRarestQuadruples, Option::OnlyPreferred});
    state.Label28Click();
    ASSERT_GE(host.statuses.size(), 3U);
    EXPECT_EQ(std::vector<std::string>(host.statuses.end() - 3, host.statuses.end()),
              (std::vector<std::string>{"Berechnung der Vierergruppenbildung", "Min: 0 Max: 1  0",
                                        "Beginn der Tippberechnung"}));
}

TEST_F(BoundaryFixture, DigitSumOnTheWindowEdgesIsAccepted) {
    archive(threeDraws());
    bareGeneration();
    state.setOption(Option::DigitSumFrom, 120);
    state.setOption(Option::DigitSumTo, 120);
    state.setOption(Option::TipCount, 1);
    state.random().setSeed(1);
    state.Label28Click();
    EXPECT_EQ(state.label(tipSumLabel(0)).text, "120");
    EXPECT_EQ(state.statusText(1), "Tipps wurden neu berechnet");
}

TEST_F(BoundaryFixture, TipCompletedOnTheLastPickIsDiscarded) {
    archive(threeDraws());
    bareGeneration();
    state.setOption(Option::DigitSumFrom, 130);
    state.setOption(Option::DigitSumTo, 135);
    state.random().setSeed(270);
    GenerationRun run(state);
    run.run();
    EXPECT_EQ(run.runCount(), 1000);
    // The last candidate lies in the window and would have been tip 11.
    EXPECT_EQ(host.statuses.back(), "11.Tipp:  4 6  25  27  33  36  QS: 131");
    EXPECT_FALSE(tipEmpty(9));
    EXPECT_TRUE(tipEmpty(10));
    EXPECT_EQ(state.label(tipSumLabel(10)).text, "");
    EXPECT_EQ(state.statusText(1), "Ändern Sie die Parameter, um 12 Tipps zu berechnen");
}

TEST_F(BoundaryFixture, LuckyNumberProposalStaysBelow99999) {
    state.random().setSeed(79061); // draws the highest proposal
    state.SpeedButton13Click();
    EXPECT_EQ(host.proposed, std::vector<std::string>{"99998"});
}
