#include "core/StateFixture.h"
#include "core/output/TipSheet.h"
#include "core/util/Text.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace lotto;
using namespace lotto::test;

namespace {

const std::string kTildes(46, '~');

struct SheetFixture : StateFixture<> {
    SheetFixture() {
        archive({draw(2002, 1, 2, {7, 23, 24, 33, 36, 39}, 3), draw(2002, 1, 6, {1, 2, 3, 4, 5, 6}, 7)});
        state.SpeedButton11Click(); // the form's 1 to 6 in tip 1
    }
    void showDraw(int day) {
        state.setDrawDate(dayNumber(2002, 1, day));
        state.SpeedButton5Click();
    }
    void fillTip(int tip, std::vector<std::string> numbers) {
        for (int c = 0; c < 6; ++c)
            state.setCell(tip * 6 + c, numbers[static_cast<std::size_t>(c)]);
    }
    std::string sheet() { return readWholeFile(dir.file("Tipp.txt")); }
    std::vector<std::string> sheetLines() {
        std::vector<std::string> lines;
        const std::string text = sheet();
        for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
            lines.push_back(text.substr(at, end - at));
        return lines;
    }
};

TEST_F(SheetFixture, TitleNamesTheNextDrawInWindows1252) {
    state.setDrawDate(dayNumber(2002, 1, 3)); // no draw shown yet: the next draw day
    state.BitBtn7Click();
    EXPECT_EQ(sheetLines().at(0), "Zerbosts Lotto-Tipp f\xFCr Sonntag 06.01.02");
    showDraw(2); // Wednesday: the Sunday after
    state.BitBtn7Click();
    EXPECT_EQ(sheet(), "Zerbosts Lotto-Tipp f\xFCr Sonntag 06.01.02\r\n" + kTildes + "\r\n\r\n");
    EXPECT_EQ(host.opened.back(), dir.file("Tipp.txt"));
    showDraw(6); // Sunday: the Wednesday after
    state.BitBtn7Click();
    EXPECT_EQ(sheet(), "Zerbosts Lotto-Tipp f\xFCr Mittwoch 09.01.02\r\n" + kTildes + "\r\n\r\n");
    // After a special draw on a Friday, the Sunday.
    EXPECT_EQ(tipSheetTitle(nextDrawDayAfter(dayNumber(2026, 8, 21))),
              "Zerbosts Lotto-Tipp für Sonntag 23.08.26");
}

// Without a program for text files the sheet is still written: the user learns where and
// may open its folder.
TEST_F(SheetFixture, WithoutATextEditorTheFolderIsOffered) {
    host.documentsOpen = false;
    host.answerYes = true;
    state.BitBtn7Click();
    ASSERT_EQ(host.questions.size(), 1U);
    EXPECT_NE(host.questions[0].find(dir.file("Tipp.txt")), std::string::npos);
    EXPECT_EQ(host.opened, (std::vector<std::string>{dir.file("Tipp.txt"), dir.path()}));
}

// At start the status bar counts the Sundays and Wednesdays after the newest draw, before today.
TEST_F(SheetFixture, StartUpCountsTheMissingDraws) {
    clock.todayValue = dayNumber(2002, 1, 13); // Sunday: its draw may still be to come
    MemorySettingsStore store;
    state.FormCreate(store);
    EXPECT_EQ(state.missingDrawDays(), 1); // Wednesday 09.01.
    EXPECT_EQ(state.statusText(0), "1 Ziehung fehlt im Archiv – F5 aktualisiert");
    clock.todayValue = dayNumber(2002, 1, 7);
    EXPECT_EQ(state.missingDrawDays(), 0);
}

TEST_F(SheetFixture, OnlyTipsWithAFirstNumberAreListed) {
    showDraw(6);
    for (int tip = 0; tip < 8; ++tip)
        fillTip(tip, {"3", "7", "12", "25", "33", "41"});
    state.BitBtn7Click();
    auto lines = sheetLines();
    ASSERT_EQ(lines.size(), 3U + 8U);
    EXPECT_EQ(lines[3], " 1. Tipp:  3    7   12   25   33   41");
    EXPECT_EQ(lines[10], " 8. Tipp:  3    7   12   25   33   41");

    for (int tip = 8; tip < 12; ++tip)
        fillTip(tip, {"1", "2", "3", "4", "5", "45"});
    fillTip(4, {"", "", "", "", "", ""});
    state.BitBtn7Click();
    lines = sheetLines();
    ASSERT_EQ(lines.size(), 3U + 11U);
    EXPECT_EQ(lines[6].substr(0, 10), " 4. Tipp: ");
    EXPECT_EQ(lines[7].substr(0, 10), " 6. Tipp: ");
    EXPECT_EQ(lines[13], "12. Tipp:  1    2    3    4    5   45");
}

TEST_F(SheetFixture, EmptyLaterCellOrALinkToTheArchiveWritesNothing) {
    showDraw(6);
    state.BitBtn7Click();
    const std::string before = sheet();
    fillTip(2, {"3", "7", "", "25", "33", "41"});
    try {
        state.BitBtn7Click();
        FAIL() << "no error";
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'' ist kein gültiger ganzzahliger Wert (3. Tipp, 3. Zahl)");
    }
    EXPECT_EQ(sheet(), before);
    EXPECT_EQ(host.opened.size(), 1U); // only the first sheet was opened

    fillTip(2, {"3", "7", "12", "25", "33", "41"});
    std::filesystem::remove(dir.file("Tipp.txt"));
    std::filesystem::create_symlink(dir.file("ZahlenAT.dat"), dir.file("Tipp.txt"));
    EXPECT_THROW(state.BitBtn7Click(), FileError);
    EXPECT_EQ(DrawArchive(state.archivePath()).recordCount(), 2);
    EXPECT_EQ(host.opened.size(), 1U);
}

struct SearchFixture : StateFixture<> {
    using Announcement = std::pair<int, std::string>;
    SearchFixture() {
        archive({draw(2002, 1, 2, {1, 2, 3, 4, 5, 6}, 7), draw(2002, 1, 6, {1, 2, 3, 10, 11, 12}, 13),
                 draw(2002, 1, 9, {20, 21, 22, 23, 24, 25}, 26), draw(2002, 1, 13, {6, 5, 4, 3, 2, 1}, 40)});
        const std::vector<std::vector<std::string>> tips{{"1", "2", "3", "4", "5", "6"},
                                                         {"12", "11", "10", "3", "2", "1"},
                                                         {"1", "2", "3", "4", "30", "31"}};
        for (std::size_t t = 0; t < tips.size(); ++t)
            for (std::size_t c = 0; c < 6; ++c)
                state.setCell(static_cast<int>(t * 6 + c), tips[t][c]);
        for (int c = 0; c < 6; ++c)
            state.setCell(8 * 6 + c, std::to_string(c + 1)); // tip 9 is not searched
    }
    std::vector<Announcement> search(const std::string& threshold) {
        std::vector<Announcement> out;
        state.runTipSearch(threshold,
                           [&](int tip, const std::string& text) { out.emplace_back(tip + 1, text); });
        return out;
    }
};

// The list gets every hit with its rank; afterwards the shown draw and all its labels stay.
TEST_F(SearchFixture, ListedHitsAndTheShownDrawAfterwards) {
    state.setDrawDate(dayNumber(2002, 1, 6));
    state.SpeedButton5Click();
    const std::string caption = state.label(WindowLabel::DrawCaption).text;
    state.setCell(9 * 6, "");  // tip 10 incomplete: no labels
    state.SpeedButton4Click(); // the input box cancelled: from six hits on
    EXPECT_EQ(host.inputs, (std::vector<std::string>{"Tipps in DB suchen"}));
    ASSERT_EQ(host.searchHits.size(), 3U);
    EXPECT_EQ(host.searchHits[1].tip, 1);
    EXPECT_EQ(host.searchHits[1].day, dayNumber(2002, 1, 6));
    EXPECT_EQ(host.searchHits[1].rank, PrizeRank::Six);
    EXPECT_FALSE(host.searchHits[1].quotaCents);
    EXPECT_EQ(host.searchEnd, (std::pair<std::int64_t, bool>{3, false}));
    EXPECT_EQ(host.busyDepth, 0);
    EXPECT_EQ(state.label(WindowLabel::DrawCaption).text, caption);
    EXPECT_EQ(state.label(WindowLabel::TipPageDraw).text, caption);
    EXPECT_EQ(state.label(WindowLabel::DigitSum).text, "Quersumme: 39");
    EXPECT_EQ(state.label(hitLabel(0)).text, "3"); // tip 1 against 06.01.
    EXPECT_EQ(state.label(hitLabel(1)).text, "6");
    EXPECT_EQ(state.label(hitLabel(8)).text, "3"); // tip 9 too
    EXPECT_EQ(state.label(hitLabel(9)), LabelControl{});
    EXPECT_EQ(state.drawStepIndex(), 1);
    EXPECT_EQ(state.drawDate(), dayNumber(2002, 1, 6));
}

TEST_F(SearchFixture, TheListStopsTheSearch) {
    host.searchHitsWanted = 2;
    host.inputAnswer = "0";
    state.SpeedButton4Click();
    EXPECT_EQ(host.searchHits.size(), 2U);
    EXPECT_EQ(host.searchEnd, (std::pair<std::int64_t, bool>{2, true}));
    EXPECT_EQ(state.chart().axisTitle,
              "Wie oft hatten die Tipps 1 bis 8 bei 1 durchsuchten Ziehungen 0 bis 9 Treffer?");
}

TEST_F(SearchFixture, ThresholdsAndStartDate) {
    EXPECT_EQ(search("3"), (std::vector<Announcement>{{1, "Ein Treffer am: 02.01.2002"},
                                                      {2, "Ein Treffer am: 02.01.2002"},
                                                      {3, "Ein Treffer am: 02.01.2002"},
                                                      {1, "Ein Treffer am: 06.01.2002"},
                                                      {2, "Ein Treffer am: 06.01.2002"},
                                                      {3, "Ein Treffer am: 06.01.2002"},
                                                      {1, "Ein Treffer am: 13.01.2002"},
                                                      {2, "Ein Treffer am: 13.01.2002"},
                                                      {3, "Ein Treffer am: 13.01.2002"}}));
    EXPECT_EQ(search("0").size(), 4U * 8U);
    EXPECT_EQ(search("-1").size(), 4U * 8U);
    EXPECT_THROW(search("drei"), ConversionError);

    state.setStatisticsStart(dayNumber(2002, 1, 6));
    const auto fromSunday = search("6");
    EXPECT_EQ(fromSunday, (std::vector<Announcement>{{2, "Ein Treffer am: 06.01.2002"},
                                                     {1, "Ein Treffer am: 13.01.2002"}}));
}

TEST_F(SearchFixture, BarsCountTheChecksByHits) {
    search("6");
    const ChartModel& chart = state.chart();
    ASSERT_EQ(chart.bars.size(), 10U);
    const std::vector<int> expected{23, 0, 0, 4, 2, 0, 3, 0, 0, 0}; // 32 = 8 tips x 4 draws
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(chart.bars[static_cast<std::size_t>(k)],
                  (ChartBar{k, expected[static_cast<std::size_t>(k)]}));
    EXPECT_EQ(chart.axisTitle,
              "Wie oft hatten die Tipps 1 bis 8 bei 4 durchsuchten Ziehungen 0 bis 9 Treffer?");

    // After the newest draw nothing is searched: ten empty bars, the shown draw stays.
    state.setDrawDate(dayNumber(2002, 1, 6));
    state.SpeedButton5Click();
    const CurrentDraw shown = state.currentDraw();
    const std::string caption = state.label(WindowLabel::DrawCaption).text;
    state.setStatisticsStart(dayNumber(2002, 1, 14));
    EXPECT_TRUE(search("0").empty());
    EXPECT_EQ(state.currentDraw().date, shown.date);
    EXPECT_EQ(state.label(WindowLabel::DrawCaption).text, caption);
    EXPECT_EQ(state.label(WindowLabel::DigitSum).text, "Quersumme: 39");
    EXPECT_EQ(state.chart().bars,
              (std::vector<ChartBar>{
                  {0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}, {7, 0}, {8, 0}, {9, 0}}));
}

} // namespace
