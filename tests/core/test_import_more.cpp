#include "core/StateFixture.h"
#include "core/import/GermanHistory.h"
#include "core/import/SwissPages.h"
#include "core/util/Text.h"

#include <gtest/gtest.h>

#include <map>

using namespace lotto;
using namespace lotto::test;

namespace {

struct Pages : StateFixture<PageHost> {
    Pages() {
        state.setServer(ImportSource::Germany, "http://de.test");
        state.setServer(ImportSource::Switzerland, "http://ch.test");
        state.setFileNameEdit(dir.file("Lotto.html"));
        state.setTipsReady(true);
    }
    std::vector<DrawRecord> stored() const { return DrawArchive(dir.file("ZahlenAT.dat")).readAll(); }
};

// German history page lines: the numbers as image references.
std::string numbers(std::vector<int> main, int extra) {
    std::string text;
    for (const int n : main)
        text += "<img src=\"/bilder/lottozahlen/" + std::to_string(n) + ".gif\">\n";
    return text + "<img src=\"/bilder/lottozahlen/ " + std::to_string(extra) + " .gif\">\n";
}
std::string superNumber(int n) {
    return "<img src=\"/bilder/superzahlen/" + std::to_string(n) + ".gif\">\n";
}

// A Swiss page from 1997 on: per draw a "textb" line, a date line, six numbers, the extra.
std::string swissPage(const std::vector<DrawRecord>& newestFirst, const char* lineEnd) {
    std::string text = std::string("<html>") + lineEnd;
    for (const DrawRecord& d : newestFirst) {
        for (const std::string& line :
             {std::string("<tr><td class=\"textb\">Ziehung</td>"), std::string("<tr>"),
              "<td>Sa;" + formatShortDate(d.day()) + "</td>", std::string("<tr>")})
            text += line + lineEnd;
        for (std::size_t i = 0; i < 6; ++i)
            text += "<td class=\"text\">" + std::to_string(d.numbers[i]) + "</td>" + lineEnd;
        text += std::string("<tr>") + lineEnd + "<td class=\"tc1\">" + std::to_string(d.numbers[6]) +
                "</td>" + lineEnd;
    }
    return text;
}

} // namespace

TEST_F(Pages, GermanWeeksFromTheMondayAfterASaturdayDraw) {
    archive({draw(2024, 6, 1, {8, 9, 10, 27, 35, 41}, 2)}); // a Saturday
    clock.todayValue = dayNumber(2024, 6, 12);
    const std::string url1 =
        "http://de.test/interactive/realtime.pl?action=lotto_history&day=3&mon=6&year=2024&history=Los&";
    const std::string url2 =
        "http://de.test/interactive/realtime.pl?action=lotto_history&day=10&mon=6&year=2024&history=Los&";
    // 05.06. has no Superzahl: the next "Ziehung  am" completes it. 08.06. has a second draw.
    host.server.pages[url1] =
        "<b>Ziehung  am Mittwoch, 05.06.24</b>\n" + numbers({10, 11, 16, 19, 26, 33}, 7) +
        "<b>Ziehung  am Samstag, 08.06.24</b>\n" + numbers({5, 10, 15, 22, 31, 40}, 3) + superNumber(9) +
        "<td>Ziehung B</td>\n" + numbers({1, 2, 3, 4, 5, 6}, 8) + superNumber(1);
    // The date on the line after "Ziehung  am"; no Superzahl: the end of the page completes it.
    host.server.pages[url2] =
        "<b>Ziehung  am Mittwoch,\n12.06.24</b>\n" + numbers({5, 9, 10, 11, 22, 46}, 49);

    EXPECT_EQ(state.BitBtn1Click(), 3);
    EXPECT_EQ(host.server.urls, (std::vector<std::string>{url1, url2}));
    const auto records = stored();
    ASSERT_EQ(records.size(), 4U);
    EXPECT_EQ(records[1], draw(2024, 6, 5, {10, 11, 16, 19, 26, 33}, 7));
    EXPECT_EQ(records[2], draw(2024, 6, 8, {5, 10, 15, 22, 31, 40}, 3));
    EXPECT_EQ(records[3], draw(2024, 6, 12, {5, 9, 10, 11, 22, 46}, 49)); // the German game's numbers
    EXPECT_FALSE(state.importRunning());
}

namespace {

// Today's German history page of one week: per draw its date, six numbers and a Superzahl.
std::string germanWeekPage(const std::vector<DrawRecord>& draws, DayNumber monday, bool superzahl = true) {
    std::string page = "<html>\n";
    for (const DrawRecord& d : draws) {
        if (d.day() < monday || d.day() >= monday + 7) continue;
        std::string text = numbers({d.numbers.begin(), d.numbers.begin() + 6}, 0);
        text.erase(text.rfind("<img")); // no Zusatzzahl
        const std::string date = formatShortDate(d.day());
        page += "<b>Ziehung  am Samstag, " + date.substr(0, 6) + date.substr(8) + "</b>\n" + text +
                (superzahl ? superNumber(d.day() % 10) : "");
    }
    return page + "</html>\n";
}

} // namespace

TEST_F(Pages, GermanUpdateOverTodaysPagesAppendsTheRealDraws) {
    const std::vector<DrawRecord> real = realGermanDraws();
    const DayNumber mid = dayNumber(2026, 6, 30);
    archive(drawsUntil(real, mid));
    clock.todayValue = dayNumber(2026, 8, 24);
    for (DayNumber monday = drawsUntil(real, mid).back().day() + 2; monday <= clock.todayValue; monday += 7)
        host.server.pages[germanHistoryUrl("http://de.test", monday)] = germanWeekPage(real, monday);

    EXPECT_EQ(state.BitBtn1Click(), static_cast<std::int64_t>(real.size() - drawsUntil(real, mid).size()));
    EXPECT_EQ(stored(), real); // byte for byte: the Superzahl is not stored, the extra number 0
}

TEST_F(Pages, GermanPageOf1975StoresIts1975Draws) {
    const std::vector<DrawRecord> real = realGermanDraws();
    archive(drawsUntil(real, dayNumber(1975, 12, 20)));
    clock.todayValue = dayNumber(1976, 1, 5);
    for (DayNumber monday : {dayNumber(1975, 12, 22), dayNumber(1975, 12, 29)})
        host.server.pages[germanHistoryUrl("http://de.test", monday)] = germanWeekPage(real, monday, false);

    EXPECT_EQ(state.BitBtn1Click(), 2);
    EXPECT_EQ(stored(), drawsUntil(real, dayNumber(1976, 1, 3)));
}

TEST(GermanPage, TornDrawsAndDatesOutsideTheFormat) {
    std::vector<ParsedDraw> draws;
    GermanHistoryParser parser(2024, [&](const ParsedDraw& d) { draws.push_back(d); });
    auto feed = [&](const std::string& text) {
        for (std::size_t start = 0, end; start < text.size(); start = end + 1) {
            end = text.find('\n', start);
            parser.line(std::string_view(text).substr(start, end - start));
        }
    };
    // Five numbers are no draw; a date on neither line before "</b>" gives none.
    feed("<b>Ziehung  am 05.06.24</b>\n" + numbers({1, 2, 3, 4}, 5) + "Ziehung  am\n08.06.24\n" +
         numbers({1, 2, 3, 4, 5, 6}, 7));
    parser.end();
    EXPECT_TRUE(draws.empty());
    EXPECT_THROW(parser.line("<b>Ziehung  am x</b>"), ConversionError); // no date before "</b>"
    parser.line("<b>Ziehung  am 05.06.24</b>");
    EXPECT_THROW(parser.line("lottozahlen/1x.gif"), ConversionError);
    EXPECT_THROW(parser.line("lottozahlen/12345678901234567.gif"), ConversionError); // no "." within 15
    // What the German import stores: numbers 1..49, the extra number 0 when the page has none.
    EXPECT_TRUE(isGermanDraw({1, 2, 3, 4, 5, 49, 0}));
    EXPECT_FALSE(isGermanDraw({1, 2, 3, 4, 5, 50, 0}));
    EXPECT_FALSE(isGermanDraw({1, 2, 3, 4, 5, 0, 7}));
    EXPECT_FALSE(isGermanDraw({1, 2, 3, 4, 5, 6, 6}));
}

TEST(SwissPage, UpTo1996TheDrawNumbersSaturday) {
    EXPECT_EQ(swissDrawSaturday(1987, 10), dayNumber(1987, 3, 7));
    std::vector<ParsedDraw> draws;
    SwissPageParser parser(1987, [&](const ParsedDraw& d) { draws.push_back(d); });
    for (const char* line :
         {"<td class=\"textb\">10</td>", "<tr>", "<td class=\"text\">3</td>", "<td class=\"text\">12</td>",
          "<td></td>", "<td class=\"text\">20</td>", "<td class=\"text\">33</td>",
          "<td class=\"text\">41</td>", "<tr>", "<td class=\"tc1\">7</td>", "<td class=\"textb\">11</td>"})
        parser.line(line);
    ASSERT_EQ(draws.size(), 1U); // the block cut off by the page's end is not handed over
    EXPECT_EQ(draws[0].day, dayNumber(1987, 3, 7));
    EXPECT_EQ(draws[0].numbers, (std::array<int, 7>{3, 12, 0, 20, 33, 41, 7}));
    SwissPageParser next(1987, [&](const ParsedDraw& d) { draws.push_back(d); });
    EXPECT_THROW(next.line("<td class=\"textb\">zehn</td>"), ConversionError);
}

TEST_F(Pages, SwissPagesNewestFirstAreStoredInDateOrderOnceEach) {
    const std::vector<DrawRecord> real = realDraws();
    std::vector<DrawRecord> expected, old, page2000, page2001;
    for (const DrawRecord& d : real) {
        const DayNumber day = d.day();
        if (day > dayNumber(2001, 1, 14)) break;
        expected.push_back(d);
        if (day <= dayNumber(2000, 11, 26)) old.push_back(d);
        if (day >= dayNumber(2000, 11, 26) && civilDate(day).year == 2000)
            page2000.insert(page2000.begin(), d);
        if (civilDate(day).year == 2001) page2001.insert(page2001.begin(), d);
    }
    archive(old);
    clock.todayValue = dayNumber(2001, 1, 15);
    host.server.pages[swissYearUrl("http://ch.test", 2000)] = swissPage(page2000, "\r\n"); // 26.11. is stored
    host.server.pages[swissYearUrl("http://ch.test", 2001)] = swissPage(page2001, "\n");

    EXPECT_EQ(state.SwissBitBtn1Click(), static_cast<std::int64_t>(expected.size() - old.size()));
    EXPECT_EQ(host.server.urls, (std::vector<std::string>{"http://ch.test/tkalnor/lotto/Z2000.shtml",
                                                          "http://ch.test/tkalnor/lotto/Z2001.shtml"}));
    EXPECT_EQ(stored(), expected);
    EXPECT_EQ(readWholeFile(dir.file("Lotto.html")), swissPage(page2001, "\r\n")); // CR put before LF
    EXPECT_EQ(state.lastStoredDate(), dayNumber(2001, 1, 14));
}
