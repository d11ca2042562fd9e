#include "core/StateFixture.h"
#include "core/output/TipFile.h"
#include "core/shell/MainState.h"
#include "core/util/File.h"

#include <gtest/gtest.h>

using namespace lotto;
using namespace lotto::test;

namespace {
struct TipFileFixture : StateFixture<> {
    TipFileFixture() {
        state.setTipsReady(true);
        writeArchive(dir.file("ZahlenAT.dat"),
                     {draw(2002, 1, 2, {7, 23, 24, 33, 36, 39}, 3), draw(2002, 1, 6, {1, 2, 3, 4, 5, 6}, 7)});
    }
    std::string tipText(int t) const {
        std::string s;
        for (int c = 0; c < 6; ++c)
            s += (c ? "," : "") + state.cell(t * 6 + c);
        return s;
    }
    void load(const std::string& bytes) {
        writeBytes(dir.file("t.qtp"), bytes);
        host.openFile = dir.file("t.qtp");
        state.SpeedButton16Click();
    }
};

} // namespace

TEST(TipFileFormat, LinesAndFields) {
    EXPECT_EQ(splitTipLine("1,2,3"), (std::array<std::string, 6>{"1", "2", "", "", "", "3"}));
    EXPECT_EQ(splitTipLine("1,2,3,4,5,6,7"), (std::array<std::string, 6>{"1", "2", "3", "4", "5", "6,7"}));
    EXPECT_EQ(splitTipLine(""), (std::array<std::string, 6>{}));
    EXPECT_EQ(splitTipLine("17"), (std::array<std::string, 6>{"", "", "", "", "", "17"}));
    std::array<std::string, 72> cells{};
    cells[0] = "3";
    cells[5] = "41";
    const std::string text = formatTipFile(cells);
    EXPECT_EQ(text.substr(0, 19), "3,,,,,41\r\n,,,,,\r\n,,");
    EXPECT_EQ(text.size(), 10U + 11U * 7U);
}

TEST_F(TipFileFixture, SaveAndLoadRoundTrip) {
    const std::vector<std::vector<std::string>> tips{{"3", "7", "12", "25", "33", "41"},
                                                     {"1", "2", "3", "4", "5", "6"}};
    state.SpeedButton11Click();
    for (std::size_t t = 0; t < tips.size(); ++t)
        for (std::size_t c = 0; c < 6; ++c)
            state.setCell(static_cast<int>(t * 6 + c), tips[t][c]);
    state.setCell(71, "45");
    state.setDrawDate(dayNumber(2002, 1, 6));
    host.saveFile = dir.file("mein.qtp");
    state.SpeedButton15Click();
    ASSERT_EQ(host.saveDialogs.size(), 1U);
    EXPECT_EQ(host.saveDialogs[0].fileName, "20020109.qtp");
    EXPECT_EQ(host.saveDialogs[0].defaultExt, "qtp");
    EXPECT_EQ(host.saveDialogs[0].filter, "Tippdatei|*.qtp");
    EXPECT_EQ(state.saveDialog1().defaultExt, "txt"); // put back afterwards
    EXPECT_EQ(state.saveDialog1().filter, "Textdatei|*.txt");
    EXPECT_EQ(readWholeFile(dir.file("mein.qtp")).substr(0, 35), "3,7,12,25,33,41\r\n1,2,3,4,5,6\r\n,,,,,");

    state.SpeedButton11Click();
    host.openFile = dir.file("mein.qtp");
    state.SpeedButton16Click();
    EXPECT_EQ(tipText(0), "3,7,12,25,33,41");
    EXPECT_EQ(tipText(1), "1,2,3,4,5,6");
    EXPECT_EQ(tipText(11), ",,,,,45");
    EXPECT_EQ(state.label(hitLabel(1)).text, "6"); // evaluated against the draw of the chosen date
    EXPECT_EQ(host.openDialogs.at(0).filter, "Tippdatei|*.qtp");
}

TEST_F(TipFileFixture, MalformedLinesLoadAsFarAsTheyGo) {
    load("7,12,3,41,25,33\r\n1,2,3\r\n1,2,3,4,5,6,7\n1,2,3,4,5,46");
    EXPECT_EQ(tipText(0), "3,7,12,25,33,41"); // loaded, then sorted by the evaluation
    EXPECT_EQ(tipText(1), "1,2,,,,3");
    EXPECT_EQ(tipText(2), "1,2,3,4,5,");
    EXPECT_EQ(tipText(3), "1,2,3,4,5,");
    for (int t = 4; t < 12; ++t)
        EXPECT_EQ(tipText(t), ",,,,,");
    EXPECT_EQ(state.label(tipSumLabel(0)).text, "121");
}

TEST_F(TipFileFixture, ThreeLinesFillThreeTips) {
    for (int c = 0; c < 72; ++c)
        state.setCell(c, "9");
    load("1,2,3,4,5,6\r\n7,8,9,10,11,12\r\n13,14,15,16,17,18\r\n");
    EXPECT_EQ(tipText(2), "13,14,15,16,17,18");
    for (int t = 3; t < 12; ++t)
        EXPECT_EQ(tipText(t), ",,,,,");
}

TEST_F(TipFileFixture, CancelStillEvaluatesAndErrorsClearFirst) {
    host.openFile.reset();
    state.SpeedButton16Click();
    EXPECT_EQ(state.label(WindowLabel::TipPageDraw).text.empty(), false);
    EXPECT_EQ(state.cell(0), "1");

    host.openFile = dir.file("fehlt.qtp");
    EXPECT_THROW(state.SpeedButton16Click(), FileError);
    EXPECT_EQ(state.cell(0), "");
    EXPECT_EQ(state.openDialog1().defaultExt, ""); // restored after the error as well

    host.saveFile = dir.path() + "kein/ordner/x.qtp";
    EXPECT_THROW(state.SpeedButton15Click(), FileError);
    EXPECT_EQ(state.saveDialog1().defaultExt, "txt");
}

// The next Sunday or Wednesday draw, as the tip sheet names it.
TEST_F(TipFileFixture, ProposedNamesFollowTheNextDraw) {
    const std::pair<DayNumber, const char*> cases[] = {
        {dayNumber(2002, 1, 2), "20020106.qtp"}, // Wednesday: Sunday
        {dayNumber(2002, 1, 6), "20020109.qtp"}, // Sunday: Wednesday
        {dayNumber(2002, 1, 5), "20020106.qtp"}, // Saturday
        {dayNumber(2002, 1, 8), "20020109.qtp"}, // Tuesday
    };
    for (auto [day, name] : cases) {
        state.setDrawDate(day);
        EXPECT_EQ(state.proposedTipFileName(), name) << formatShortDate(day);
    }
}

TEST_F(TipFileFixture, ByteOrderMarkKeepsTheFirstNumber) {
    load("\xEF\xBB\xBF"
         "3,7,12,25,33,41\r\n");
    EXPECT_EQ(tipText(0), "3,7,12,25,33,41");
}

TEST_F(TipFileFixture, SavingOverTheArchiveIsRefused) {
    const std::string before = readWholeFile(dir.file("ZahlenAT.dat"));
    host.saveFile = dir.path() + "./ZahlenAT.dat";
    EXPECT_THROW(state.SpeedButton15Click(), FileError);
    EXPECT_EQ(readWholeFile(dir.file("ZahlenAT.dat")), before);
}
