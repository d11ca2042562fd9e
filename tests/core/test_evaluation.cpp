#include "core/StateFixture.h"
#include "core/shell/MainState.h"

#include <gtest/gtest.h>

using namespace lotto;
using namespace lotto::test;

namespace {
CurrentDraw drawOf(std::vector<int> main, int extra) {
    CurrentDraw d;
    for (std::size_t i = 0; i < 6; ++i)
        d.numbers[i] = main[i];
    d.numbers[6] = extra;
    return d;
}

struct EvaluationFixture : StateFixture<> {
    EvaluationFixture() { state.setTipsReady(true); }
    void tip(int t, std::vector<std::string> numbers) {
        for (int c = 0; c < 6; ++c)
            state.setCell(t * 6 + c, numbers[static_cast<std::size_t>(c)]);
    }
    std::string tipText(int t) const {
        std::string s;
        for (int c = 0; c < 6; ++c)
            s += (c ? "," : "") + state.cell(t * 6 + c);
        return s;
    }
    const LabelControl& hits(int t) const { return state.label(hitLabel(t)); }
    const LabelControl& sum(int t) const { return state.label(tipSumLabel(t)); }
};

} // namespace

TEST(HitCounting, ExtraNumberAndRepeatedNumbers) {
    CurrentDraw d = drawOf({3, 7, 12, 20, 30, 40}, 41);
    zettelcheck(d, {"3", "7", "12", "25", "33", "41"});
    EXPECT_EQ(d.hits, 3);
    EXPECT_TRUE(d.extraHit);

    d.numbers[6] = 5;
    zettelcheck(d, {"3", "7", "12", "25", "33", "41"});
    EXPECT_EQ(d.hits, 3);
    EXPECT_FALSE(d.extraHit);

    zettelcheck(d, {"3", "3", "12", "25", "33", "41"});
    EXPECT_EQ(d.hits, 2); // 3 and 12, each once

    zettelcheck(d, {"", "", "", "", "", ""});
    EXPECT_EQ(d.hits, 0);
    EXPECT_FALSE(d.extraHit);

    zettelcheck(d, {"3", "7", "0", "0", "0", "0"}); // a pair filled up with "0"
    EXPECT_EQ(d.hits, 2);
}

TEST(HitCounting, AnInvalidTextStopsTheCountWhereItStands) {
    CurrentDraw d = drawOf({3, 7, 12, 20, 30, 40}, 41);
    zettelcheck(d, {"x", "3", "7", "12", "20", "41"});
    EXPECT_EQ(d.hits, 0);
    EXPECT_FALSE(d.extraHit);
    // Slot 1 (3) is compared with t1 and t2 before t3 fails: only those matches count.
    zettelcheck(d, {"3", "7", "abc", "12", "20", "41"});
    EXPECT_EQ(d.hits, 1);
    EXPECT_FALSE(d.extraHit);
    zettelcheck(d, {"7", "3", "", "12", "20", "41"});
    EXPECT_EQ(d.hits, 1);
}

TEST_F(EvaluationFixture, ChosenDateFindsTheFirstDrawOnOrAfterIt) {
    archive({draw(2002, 1, 2, {7, 23, 24, 33, 36, 39}, 3), draw(2002, 1, 6, {1, 2, 3, 4, 5, 6}, 7),
             draw(2002, 1, 9, {10, 11, 12, 13, 14, 15}, 16)});
    state.setDrawDate(dayNumber(2002, 1, 4)); // between two draws
    state.SpeedButton5Click();
    EXPECT_EQ(state.label(WindowLabel::DrawCaption).text, "So 06.01.02    1  2  3  4  5  6 Z:7");
    EXPECT_EQ(state.label(WindowLabel::TipPageDraw).text, state.label(WindowLabel::DrawCaption).text);
    EXPECT_EQ(state.label(WindowLabel::DigitSum).text, "Quersumme: 21");
    EXPECT_EQ(state.drawDate(), dayNumber(2002, 1, 6)); // the draw's date, not the one typed
    EXPECT_EQ(state.drawStepIndex(), 1);

    state.setDrawDate(dayNumber(2010, 1, 1)); // after the newest
    state.SpeedButton5Click();
    EXPECT_EQ(state.label(WindowLabel::DrawCaption).text, "Mi 09.01.02    10  11  12  13  14  15 Z:16");
    EXPECT_EQ(state.drawStepIndex(), 2);
    EXPECT_EQ(state.drawDate(), dayNumber(2002, 1, 9));

    state.setDrawDate(dayNumber(2002, 1, 2)); // on the first draw: three blanks
    state.SpeedButton5Click();
    EXPECT_EQ(state.label(WindowLabel::DrawCaption).text, "Mi 02.01.02     7  23  24  33  36  39 Z:3");
    EXPECT_EQ(state.drawStepIndex(), 0);
    EXPECT_EQ(state.currentDraw().numbers[6], 3);
}

TEST_F(EvaluationFixture, TipsAreSortedSummedAndRated) {
    archive({draw(2002, 1, 6, {3, 7, 12, 20, 30, 40}, 41)});
    tip(0, {"7", "12", "3", "41", "25", "33"});
    tip(1, {"3", "7", "20", "41", "1", "2"});
    tip(2, {"3", "7", "41", "1", "2", "4"});
    tip(3, {"1", "", "3", "4", "5", "6"});
    state.setLabelText(tipSumLabel(3), "old");
    state.setDrawDate(dayNumber(2002, 1, 6));
    state.SpeedButton5Click();

    EXPECT_EQ(tipText(0), "3,7,12,25,33,41");
    EXPECT_EQ(sum(0).text, "121");
    EXPECT_EQ(hits(0).text, "3 + Z");
    EXPECT_EQ(hits(0).color, LabelColor::Red);
    EXPECT_EQ(hits(1).text, "3 + Z");
    EXPECT_EQ(hits(2).text, "2 + Z");
    EXPECT_EQ(hits(2).color, LabelColor::Black);
    EXPECT_EQ(tipText(3), "1,,3,4,5,6"); // incomplete: neither sorted nor rated, its labels empty
    EXPECT_EQ(sum(3).text, "");
    EXPECT_EQ(hits(3).text, "");
    EXPECT_EQ(host.sounds, (std::vector<std::string>{"yippee.wav", "yippee.wav"}));
    EXPECT_EQ(state.Komplettcheck(), 3);

    state.setTipsReady(false);
    tip(0, {"9", "8", "7", "6", "5", "4"});
    state.Edit1Exit();
    EXPECT_EQ(tipText(0), "9,8,7,6,5,4");
    EXPECT_EQ(sum(0).text, "121");
    EXPECT_EQ(state.Komplettcheck(), 0);
}

TEST_F(EvaluationFixture, RepeatedNumberCountsOnceAndItsCellsAreKnown) {
    archive({draw(2002, 1, 6, {3, 7, 13, 20, 30, 40}, 41)});
    tip(0, {"3", "3", "3", "10", "11", "12"});
    state.setDrawDate(dayNumber(2002, 1, 6));
    state.SpeedButton5Click();
    EXPECT_EQ(hits(0).text, "1");
    EXPECT_EQ(hits(0).color, LabelColor::Black);
    EXPECT_TRUE(host.sounds.empty());
    for (int cell = 0; cell < 6; ++cell)
        EXPECT_EQ(state.isRepeatedCell(cell), cell < 3) << cell;
    EXPECT_FALSE(state.isRepeatedCell(6)); // tip 2 is empty
    tip(1, {"5", "", "", "", "", "5"});
    EXPECT_TRUE(state.isRepeatedCell(6));
    EXPECT_FALSE(state.isRepeatedCell(7)); // empty cells never repeat
    EXPECT_TRUE(state.isRepeatedCell(11));
}

TEST_F(EvaluationFixture, MissingOrEmptyArchive) {
    state.SpeedButton5Click();
    EXPECT_EQ(host.messages, std::vector<std::string>{"Lesen Sie zuerst die Daten der Ziehungen ein"});
    EXPECT_EQ(state.label(WindowLabel::DrawCaption).text, "");

    archive({draw(2002, 1, 6, {3, 7, 12, 20, 30, 40}, 41)});
    state.setDrawDate(dayNumber(2002, 1, 1));
    state.SpeedButton5Click();
    const std::string shown = state.label(WindowLabel::DrawCaption).text;
    archive({});
    tip(0, {"3", "7", "12", "1", "2", "4"});
    state.setDrawDate(dayNumber(2003, 3, 3));
    state.SpeedButton5Click(); // nothing to load: the old draw stays and is checked again
    EXPECT_EQ(state.label(WindowLabel::DrawCaption).text, shown);
    EXPECT_EQ(state.drawStepIndex(), 0);
    EXPECT_EQ(state.drawDate(), dayNumber(2002, 1, 6));
    EXPECT_EQ(hits(0).text, "3");
    EXPECT_EQ(host.messages.size(), 1U);
}

TEST_F(EvaluationFixture, CellRule) {
    const std::pair<const char*, const char*> cases[] = {
        {"0", ""},   {"46", ""},  {"-3", ""},   {"abc", ""}, {" ", ""},          {"045", "45"},
        {"07", "7"}, {"+5", "5"}, {"45", "45"}, {"1", "1"},  {"99999999999", ""}};
    for (auto [typed, kept] : cases)
        EXPECT_EQ(state.Edit1Change(3, typed), kept) << typed;
    // Keystroke by keystroke: "5" stays, "50" is emptied.
    EXPECT_EQ(state.Edit1Change(3, "5"), "5");
    EXPECT_EQ(state.Edit1Change(3, "50"), "");
}

TEST_F(EvaluationFixture, ClearingEmptiesTheGridAndNothingElse) {
    archive({draw(2002, 1, 6, {3, 7, 12, 20, 30, 40}, 41)});
    for (int t = 0; t < 12; ++t)
        tip(t, {"1", "2", "3", "4", "5", std::to_string(6 + t)});
    state.SpeedButton5Click();
    state.setOption(Option::PreferFrequentPairs, true);
    const CurrentDraw before = state.currentDraw();
    state.SpeedButton11Click();
    for (int cell = 0; cell < 72; ++cell)
        EXPECT_EQ(state.cell(cell), "");
    for (int t = 0; t < 12; ++t) {
        EXPECT_EQ(hits(t).text, "");
        EXPECT_EQ(sum(t).text, "");
    }
    EXPECT_TRUE(state.isOn(Option::PreferFrequentPairs));
    EXPECT_EQ(state.currentDraw().numbers, before.numbers);
    EXPECT_NE(state.label(WindowLabel::DrawCaption).text, "");
}

TEST_F(EvaluationFixture, LuckyNumberSeedsAndAsks) {
    host.inputAnswer = "4711";
    state.SpeedButton13Click();
    EXPECT_EQ(state.random().seed(), 4711U);
    EXPECT_EQ(state.statusText(1), "Glückszahl 4711 gesetzt");
    EXPECT_EQ(host.questions, std::vector<std::string>{"Soll der Tipp jetzt berechnet werden?"});
    EXPECT_EQ(host.inputs, std::vector<std::string>{"Ihre Glückszahl (1-99999999)?"});

    host.inputAnswer.reset(); // cancelled: the proposed number is taken
    state.SpeedButton13Click();
    EXPECT_EQ(std::to_string(state.random().seed()), host.proposed.back());
    EXPECT_LT(std::stoi(host.proposed.back()), 99999);
    EXPECT_EQ(host.questions.size(), 2U);

    host.inputAnswer = "-1";
    state.SpeedButton13Click();
    EXPECT_EQ(state.random().seed(), 0xFFFFFFFFU);

    host.inputAnswer = "viel Glück";
    clock.seedValue = 99;
    state.SpeedButton13Click();
    EXPECT_EQ(state.random().seed(), 99U); // from the clock, and nothing asked
    EXPECT_EQ(host.questions.size(), 3U);
    EXPECT_EQ(state.statusText(1), "Glückszahl -1 gesetzt");
}

TEST(LuckyNumber, SameSeedSameDraws) {
    TempDir dir;
    FakeHost host;
    FakeClock clock;
    MainState a(dir.path(), host, clock), b(dir.path(), host, clock);
    host.inputAnswer = "123456";
    a.SpeedButton13Click();
    b.SpeedButton13Click();
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(a.random().below(500), b.random().below(500));
}
