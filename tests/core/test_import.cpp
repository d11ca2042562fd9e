#include "core/StateFixture.h"
#include "core/import/AustrianArchive.h"
#include "core/import/AustrianLastTen.h"
#include "core/import/LatestDrawPage.h"
#include "core/util/Text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>

using namespace lotto;
using namespace lotto::test;

TEST(AustrianLine, DatesLayoutsAndNumbers) {
    // Up to 1998: numbers in fields 4 to 9, the extra number in field 11.
    const auto old = parseAustrianLine("03.01.;1;x;4;8;15;16;23;42;0;7;", 1998);
    ASSERT_TRUE(old);
    EXPECT_EQ(old->day, dayNumber(1998, 1, 3));
    EXPECT_EQ(old->numbers, (std::array<int, 7>{4, 8, 15, 16, 23, 42, 7}));
    // From 1999: fields 3 to 8 and 9; a full date in field 1 takes the import's year; the
    // extra number ends the line without ";".
    const auto now = parseAustrianLine("03.01.2001;1;4;8;15;16;23;42;7", 1999);
    ASSERT_TRUE(now);
    EXPECT_EQ(now->day, dayNumber(1999, 1, 3));
    EXPECT_EQ(now->numbers, (std::array<int, 7>{4, 8, 15, 16, 23, 42, 7}));
    // The same line read with the other year's layout is no draw (field 3 is "x").
    EXPECT_FALSE(parseAustrianLine("03.01.;1;x;4;8;15;16;23;42;0;7;", 1999));
    EXPECT_EQ(parseAustrianLine("03.01.2001;1;4;8;15;16;23;42;7;", 1998), std::nullopt); // extra missing
}

TEST(AustrianLine, WhatIsNotADrawLine) {
    for (const char* line :
         {"Datum;Runde;Zahlen", "", "3.1.01;1;4;8;15;16;23;42;7", "31.02.;1;4;8;15;16;23;42;7",
          "03.01.;1;4;8;15;16;23;42;", "03.01.;1;4;8;15;16;23;46;7",    // 46
          "03.01.;1;4;8;15;16;23;0;7", "03.01.;1;4;8;15;16;23;15;7",    // 0, repeated
          "03.01.;1;4;8;15;16;23;42;46", "03.01.;1;4;8;15;16;23;298;7", // 298 & 0xFF = 42
          "03.01.;1;4;8;15;16;23;42;x7"})
        EXPECT_FALSE(parseAustrianLine(line, 2005)) << line;
    EXPECT_EQ(austrianYearUrl("http://127.0.0.1:8080/", 2005), "http://127.0.0.1:8080/download/lo_2005.csv");
}

namespace {

// Serves the yearly files of the real draws; a year can answer 404, and a hook runs while
// a file "downloads".
class YearServer : public HttpGet {
public:
    void get(const HttpGetRequest& request, ByteSink& body) override {
        urls.push_back(request.url);
        proxies.push_back(request.proxy + ":" + request.proxyPort);
        if (duringDownload) duringDownload(request.url);
        const auto it = pages.find(request.url);
        if (it == pages.end()) throw HttpException(404, "Not Found", true);
        body.write(it->second.data(), it->second.size());
    }
    void serve(const std::vector<DrawRecord>& draws, int from, int to) {
        for (int year = from; year <= to; ++year)
            pages[austrianYearUrl("http://lotto.test", year)] = austrianYearFile(year, draws);
    }
    std::map<std::string, std::string> pages;
    std::vector<std::string> urls, proxies;
    std::function<void(const std::string&)> duringDownload;
};

class ImportHost : public FakeHost {
public:
    HttpGet& http() override { return server; }
    YearServer server;
};

struct Import : StateFixture<ImportHost> {
    std::vector<DrawRecord> real = realDraws();
    std::vector<std::string> status;
    Import() {
        state.setServer(ImportSource::Austria, "http://lotto.test");
        state.setAustrianSource(ImportSource::Austria); // the rebuild runs the chosen source
        state.setFileNameEdit(dir.file("Lotto.html"));
        state.setTipsReady(true);
        host.server.serve(real, 1986, 2026);
        state.setStatusListener([this](int panel, const std::string& t) {
            if (panel == 0) status.push_back(t);
        });
    }
    std::vector<DrawRecord> stored() const { return DrawArchive(dir.file("ZahlenAT.dat")).readAll(); }
    std::string url(int year) const { return austrianYearUrl("http://lotto.test", year); }
};

} // namespace

TEST_F(Import, AppendsExactlyTheLaterDrawsWithTheSlotCarriedForward) {
    auto old = drawsUntil(real, dayNumber(2024, 6, 30));
    old.back().numbers[7] = 9;
    archive(old);
    const std::size_t later = real.size() - old.size();
    state.setProxyHostEdit("proxy.test");
    state.setProxyPortEdit("3128");

    EXPECT_EQ(state.AustiaBitBtn1(), static_cast<std::int64_t>(later));
    EXPECT_EQ(host.server.urls, (std::vector<std::string>{url(2024), url(2025), url(2026)}));
    EXPECT_EQ(host.server.proxies.front(), "proxy.test:3128");
    const auto records = stored();
    ASSERT_EQ(records.size(), real.size());
    for (std::size_t i = old.size(); i < records.size(); ++i) {
        DrawRecord expected = real[i];
        expected.numbers[7] = 9;
        ASSERT_EQ(records[i], expected) << i;
    }
    ASSERT_EQ(status.size(), 6U);
    EXPECT_EQ(status[0], "Loading");
    EXPECT_EQ(status[5], "Received " + std::to_string(austrianYearFile(2026, real).size()) + " bytes");
    EXPECT_EQ(readWholeFile(dir.file("Lotto.html")), austrianYearFile(2026, real)); // the last page is kept
    EXPECT_EQ(state.lastStoredDate(), dayNumber(2026, 8, 21));
    // Closing steps: stop button hidden, buttons back, the evaluation shows the newest draw.
    EXPECT_FALSE(state.importRunning());
    EXPECT_FALSE(state.speedButton8Visible());
    EXPECT_EQ(state.label(WindowLabel::TipPageDraw).text, "Fr 21.08.26    1  3  24  32  36  42 Z:37");
    EXPECT_EQ(state.importProgress().done, 3);
    EXPECT_EQ(state.importProgress().total, 3);

    // Up to date: the current year is fetched once more and nothing is appended.
    host.server.urls.clear();
    EXPECT_EQ(state.AustiaBitBtn1(), 0);
    EXPECT_EQ(host.server.urls, std::vector<std::string>{url(2026)});
    EXPECT_EQ(stored().size(), real.size());
}

TEST_F(Import, AFailedMiddleYearEndsTheUpdateThereAndTheNextOneFillsIt) {
    archive(drawsUntil(real, dayNumber(2024, 6, 30)));
    const std::string page2025 = host.server.pages[url(2025)];
    host.server.pages.erase(url(2025));
    state.AustiaBitBtn1();
    EXPECT_EQ(host.server.urls, (std::vector<std::string>{url(2024), url(2025)})); // 2026 is not fetched
    EXPECT_EQ(status.back(), "Failed : 404 Not Found");
    const auto until2024 = drawsUntil(real, dayNumber(2024, 12, 31));
    EXPECT_EQ(stored(), until2024);
    EXPECT_EQ(host.messages,
              std::vector<std::string>{"Die Ziehungen von 2025 konnten nicht vollständig geladen werden "
                                       "(Failed : 404 Not Found). Die Ziehungen davor sind gespeichert; "
                                       "die nächste Aktualisierung beginnt wieder mit 2025."});
    ASSERT_TRUE(state.lastImport());
    EXPECT_FALSE(state.lastImport()->complete);
    EXPECT_EQ(state.statusText(1),
              std::to_string(until2024.size() - drawsUntil(real, dayNumber(2024, 6, 30)).size()) +
                  " neue Ziehungen übernommen (bis 29.12.2024)");

    host.server.pages[url(2025)] = page2025;
    host.server.urls.clear();
    host.messages.clear();
    state.AustiaBitBtn1();
    EXPECT_EQ(host.server.urls, (std::vector<std::string>{url(2024), url(2025), url(2026)}));
    EXPECT_EQ(stored(), real); // no gap
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(state.lastImport()->complete);
}

TEST_F(Import, TheCurrentYearNotPublishedYetIsNothingNew) {
    archive(real);
    host.server.pages.erase(url(2026));
    EXPECT_EQ(state.AustiaBitBtn1(), 0);
    EXPECT_EQ(status.back(), "Failed : 404 Not Found");
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(state.lastImport()->complete);
    EXPECT_EQ(state.statusText(1), "Keine neuen Ziehungen");
    // No connection is a failure, though the client reports it as a 404 as well.
    host.server.duringDownload = [](const std::string&) {
        throw HttpException(404, "can't resolve hostname to IP address");
    };
    state.AustiaBitBtn1();
    EXPECT_FALSE(state.lastImport()->complete);
    EXPECT_EQ(host.messages.size(), 1U);
    EXPECT_EQ(importSummary(1, dayNumber(2026, 8, 21)), "1 neue Ziehung übernommen (bis 21.08.2026)");
    EXPECT_EQ(importSummary(3672, dayNumber(2026, 8, 21)),
              "3.672 neue Ziehungen übernommen (bis 21.08.2026)");
}

TEST_F(Import, StopDuringADownloadFinishesThatYearOnly) {
    archive(drawsUntil(real, dayNumber(2023, 12, 31)));
    host.server.duringDownload = [this](const std::string& u) {
        if (u != url(2024)) return;
        // The window's other handlers run here: writers of the archive are refused.
        const auto before = readWholeFile(dir.file("ZahlenAT.dat"));
        state.BitBtn2Click();
        EXPECT_EQ(state.AustiaBitBtn1(), 0);
        state.BitBtn4Click(); // delete
        state.BitBtn8Click(); // manual entry
        EXPECT_EQ(host.messages, std::vector<std::string>(4, MainState::kImportRunningMessage));
        EXPECT_EQ(readWholeFile(dir.file("ZahlenAT.dat")), before);
        state.SpeedButton8Click();
    };
    state.AustiaBitBtn1();
    EXPECT_EQ(host.server.urls, (std::vector<std::string>{url(2023), url(2024)}));
    EXPECT_EQ(stored().back(), drawsUntil(real, dayNumber(2024, 12, 31)).back());
    EXPECT_EQ(stored().size(), drawsUntil(real, dayNumber(2024, 12, 31)).size());
    EXPECT_FALSE(state.importRunning());
    EXPECT_EQ(state.drawDate(), stored().back().day()); // the evaluation ran
}

TEST_F(Import, ATrailingFragmentIsOverwritten) {
    const auto old = drawsUntil(real, dayNumber(2026, 8, 1));
    archive(old);
    writeBytes(dir.file("ZahlenAT.dat"), readWholeFile(dir.file("ZahlenAT.dat")) + std::string(7, '\xEE'));
    state.AustiaBitBtn1();
    EXPECT_EQ(std::filesystem::file_size(dir.file("ZahlenAT.dat")), real.size() * DrawRecord::kSize);
    EXPECT_EQ(stored(), real);
}

TEST_F(Import, AnErrorInAFetchRestoresTheButtonsAndKeepsTheArchive) {
    archive(drawsUntil(real, dayNumber(2020, 12, 31)));
    const auto before = readWholeFile(dir.file("ZahlenAT.dat"));
    state.setFileNameEdit(dir.file("ZahlenAT.dat")); // the download file may not be the archive
    EXPECT_THROW(state.AustiaBitBtn1(), FileError);
    EXPECT_EQ(readWholeFile(dir.file("ZahlenAT.dat")), before);
    EXPECT_FALSE(state.importRunning());
    EXPECT_FALSE(state.speedButton8Visible());
    EXPECT_TRUE(state.button1Enabled());
    EXPECT_EQ(host.busyDepth, 0);
}

TEST_F(Import, RebuildReplacesTheArchiveOnlyWhenEveryYearWasRead) {
    archive(real);
    const auto before = readWholeFile(dir.file("ZahlenAT.dat"));
    const std::string page2025 = host.server.pages[url(2025)];
    host.server.pages.erase(url(2025)); // 2024 is read, 2025 fails
    state.setDrawDate(dayNumber(2024, 1, 1));
    state.BitBtn2Click();
    EXPECT_EQ(host.messages,
              std::vector<std::string>{std::string(MainState::kRebuildIncompleteMessage) +
                                       " Die Ziehungen von 2025 konnten nicht vollständig geladen "
                                       "werden (Failed : 404 Not Found)."});
    EXPECT_EQ(readWholeFile(dir.file("ZahlenAT.dat")), before);
    EXPECT_FALSE(std::filesystem::exists(dir.file("ZahlenAT.dat.alt")));
    EXPECT_EQ(state.lastImport()->added, 0);
    EXPECT_EQ(state.statusText(1), "Keine neuen Ziehungen");
    EXPECT_EQ(state.label(WindowLabel::TipPageDraw).text, "Fr 21.08.26    1  3  24  32  36  42 Z:37");

    // A start after today reads nothing: the old archive stays as well.
    host.messages.clear();
    state.setDrawDate(dayNumber(2026, 12, 8));
    state.BitBtn2Click();
    EXPECT_EQ(host.messages, std::vector<std::string>{MainState::kRebuildEmptyMessage});
    EXPECT_EQ(readWholeFile(dir.file("ZahlenAT.dat")), before);

    host.server.pages[url(2025)] = page2025;
    host.messages.clear();
    state.setDrawDate(dayNumber(2025, 1, 1));
    state.BitBtn2Click();
    EXPECT_TRUE(host.messages.empty());
    const std::vector<DrawRecord> expected(
        real.begin() + static_cast<std::ptrdiff_t>(drawsUntil(real, dayNumber(2025, 1, 1)).size()),
        real.end());
    EXPECT_EQ(stored(), expected);
    EXPECT_EQ(state.lastImport()->added, static_cast<std::int64_t>(expected.size()));
    EXPECT_FALSE(std::filesystem::exists(dir.file("ZahlenAT.dat.alt")));
}

TEST(LatestDrawLine, WhatIsADrawLineAndWhatEndsTheView) {
    const auto line =
        parseLatestDrawLine("Ziehung vom Mittwoch, 19.08.26:<br><b>3,5,6,22,38,40 ZZ:27 SZ: 4</b>", 2026);
    ASSERT_TRUE(line);
    EXPECT_EQ(line->day, dayNumber(2026, 8, 19));
    EXPECT_EQ(line->numbers, (std::array<int, 8>{3, 5, 6, 22, 38, 40, 27, 4}));
    EXPECT_EQ(latestDrawNumbersText(*line, true), "3  5 6  22  38  40");
    // A date without numbers still is a draw line; no ":<br>" or too little before it is none.
    const auto dateOnly = parseLatestDrawLine("Ziehung 02.01.02:<br>", 2026);
    ASSERT_TRUE(dateOnly);
    EXPECT_EQ(dateOnly->day, dayNumber(2002, 1, 2));
    EXPECT_FALSE(dateOnly->numbersRead);
    for (const char* none :
         {"<b>Ziehung</b>", "Ziehung:<br><b>1,2,3,4,5,6 ZZ: 7 SZ: 1<", "ziehung 02.01.02:<br><b>1"})
        EXPECT_FALSE(parseLatestDrawLine(none, 2026)) << none;
    for (const char* bad : {"Ziehung 32.01.02:<br><b>1,2,3,4,5,6 ZZ: 7 SZ: 1<",
                            "Ziehung 02.01.02:<br><b>1,x,3,4,5,6 ZZ: 7 SZ: 1<",
                            "Ziehung 02.01.02:<br><b>1,2,3,4,5,6 SZ: 1<", "Ziehung 1.2.0129:<br>"})
        EXPECT_THROW(parseLatestDrawLine(bad, 2026), ConversionError) << bad;
}

TEST(LastTenPage, DrawsAreSeparatedByTheirOpeningLines) {
    AustrianLastTenParser parser(2026);
    std::vector<ParsedDraw> out;
    auto feed = [&](const std::string& page) {
        forEachLine(page, false, [&](std::string_view line) {
            if (auto d = parser.feed(line)) out.push_back(*d);
        });
    };
    // Numbers before any draw, a date line without "<", a draw cut short by the next opening
    // and one completed by its Superzahl with six numbers are all dropped.
    feed("lottozahlen/1.gif\nZiehung  vom Mi., 05.08.26\nlottozahlen/2.gif\n"
         "Ziehung  vom Mi., 05.08.26</td>\nlottozahlen/8.gif\nZiehung  vom\nSo. 09.08.26</td>\n");
    for (int n : {12, 16, 31, 34, 37, 39, 36, 44})
        feed("<img src=\"lottozahlen/ " + std::to_string(n) + " .gif\">\n");
    feed("Ziehung  vom Mi., 12.08.26</td>\n");
    for (int n : {4, 19, 25, 26, 27, 36})
        feed("lottozahlen/" + std::to_string(n) + ".gif\n");
    feed("superzahlen/3.gif\nZiehung  vom So., 16.08.26</td>\n");
    for (int n : {5, 14, 22, 25, 29, 31, 43})
        feed("lottozahlen/" + std::to_string(n) + ".gif\n");
    ASSERT_EQ(out.size(), 2U);
    EXPECT_EQ(out[0].day, dayNumber(2026, 8, 9));
    EXPECT_EQ(out[0].numbers, (std::array<int, 7>{12, 16, 31, 34, 37, 39, 36}));
    EXPECT_EQ(out[1].day, dayNumber(2026, 8, 16));
    EXPECT_FALSE(parser.finish()); // its seventh number completed it already
    EXPECT_THROW(parser.feed("lottozahlen/1x.gif"), ConversionError);
    EXPECT_THROW(parser.feed("lottozahlen/123456789012345678.gif"), ConversionError); // no "." near
    EXPECT_THROW(parser.feed("Ziehung  vom Mi., 35.08.26</td>"), ConversionError);
}

namespace {

struct LatestDraw : Import {
    DrawRecord wednesday = draw(2026, 8, 19, {3, 5, 6, 22, 38, 40}, 27);
    DrawRecord saturday = draw(2001, 12, 29, {6, 10, 11, 21, 31, 37}, 40);
    std::string url = "http://lotto.test/aktuell.html";
    LatestDraw() {
        state.setUrlEdit(url);
        const std::vector<std::vector<int>> tips{
            {3, 5, 6, 10, 11, 12}, {1, 2, 5, 27, 43, 44}, {40, 41, 42, 43, 44, 45}};
        for (std::size_t t = 0; t < tips.size(); ++t)
            for (std::size_t c = 0; c < 6; ++c)
                state.setCell(static_cast<int>(t * 6 + c), std::to_string(tips[t][c]));
        for (int c = 0; c < 6; ++c) // tip 7 would hit all six
            state.setCell(36 + c, std::to_string(wednesday.numbers[static_cast<std::size_t>(c)]));
        state.setLabelText(hitLabel(6), "vorher");
    }
};

} // namespace

TEST_F(LatestDraw, FillsBothHalvesAndTheHitsOfTipsOneToSix) {
    ASSERT_EQ(realDraws().back().day(), dayNumber(2026, 8, 21)); // the draws come from the real archive
    host.server.pages[url] = "<h1>Ziehung</h1>\n" + latestDrawPage({wednesday, saturday}, 4);
    const auto set = state.Button1Click();
    std::vector<WindowLabel> expected{WindowLabel::WednesdayDate, WindowLabel::WednesdayNumbers,
                                      WindowLabel::WednesdayExtra, WindowLabel::WednesdaySuper};
    for (int tip = 0; tip < 6; ++tip)
        expected.push_back(hitLabel(tip));
    expected.insert(expected.end(), {WindowLabel::SaturdayDate, WindowLabel::SaturdayNumbers,
                                     WindowLabel::SaturdayExtra, WindowLabel::SaturdaySuper});
    for (int tip = 0; tip < 6; ++tip)
        expected.push_back(saturdayHitLabel(tip));
    EXPECT_EQ(set, expected);
    auto text = [&](WindowLabel label) { return state.label(label).text; };
    EXPECT_EQ(text(WindowLabel::WednesdayDate), "19.08.2026");
    EXPECT_EQ(text(WindowLabel::WednesdayNumbers), "3  5 6  22  38  40");
    EXPECT_EQ(text(WindowLabel::WednesdayExtra), "ZZ: 27");
    EXPECT_EQ(text(WindowLabel::WednesdaySuper), "SZ: 4");
    EXPECT_EQ(text(WindowLabel::SaturdayDate), "29.12.2001");
    EXPECT_EQ(text(WindowLabel::SaturdayNumbers), "6  10  11  21  31  37");
    EXPECT_EQ(text(WindowLabel::SaturdayExtra), "ZZ: 40");
    EXPECT_EQ(text(WindowLabel::SaturdaySuper), "SZ: 4");
    const std::vector<std::string> wed{text(hitLabel(0)), text(hitLabel(1)), text(hitLabel(2)),
                                       text(hitLabel(3))};
    EXPECT_EQ(wed, (std::vector<std::string>{"3", "1 + Z", "1", "0"}));
    const std::vector<std::string> sat{text(saturdayHitLabel(0)), text(saturdayHitLabel(1)),
                                       text(saturdayHitLabel(2)), text(saturdayHitLabel(5))};
    EXPECT_EQ(sat, (std::vector<std::string>{"3", "0", "0 + Z", "0"}));
    EXPECT_EQ(state.label(hitLabel(0)).color, LabelColor::Red);
    EXPECT_EQ(state.label(saturdayHitLabel(0)).color, LabelColor::Red);
    EXPECT_EQ(state.label(hitLabel(1)).color, LabelColor::Black);
    EXPECT_EQ(text(hitLabel(6)), "vorher");                       // tip 7 is not evaluated
    EXPECT_EQ(state.currentDraw().date, dayNumber(2001, 12, 29)); // the page's last draw line
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(LatestDraw, APageWithoutDrawLinesLeavesTheLabels) {
    host.server.pages[url] = "<html>Ziehung am Mittwoch</html>\nZiehung 19.08.26:<br>\n";
    const auto before = state.labels();
    EXPECT_TRUE(state.Button1Click().empty());
    EXPECT_EQ(state.labels(), before);
    EXPECT_EQ(state.currentDraw().date, dayNumber(2026, 8, 19)); // the date-only line still counts
}

TEST_F(Import, LastTenAppendsTheFridayDrawAndAllLaterOnesInOrder) {
    const auto old = drawsUntil(real, dayNumber(2026, 8, 5)); // ends on Wednesday 05.08.26
    archive(old);
    const std::vector<DrawRecord> page(real.end() - 10, real.end());
    host.server.pages[austrianLastTenUrl("http://lotto.test")] = austrianLastTenPage(page);

    EXPECT_EQ(state.AustriaLast10(), 6);
    EXPECT_EQ(host.server.urls, std::vector<std::string>{"http://lotto.test/frame/LO_10rd.html"});
    EXPECT_EQ(stored(), real); // Fr 07.08. (two days after) up to Fr 21.08., in order
    // The picker went from 05.08. to 07.08. and to 14.08.: the evaluation shows the next draw.
    EXPECT_EQ(state.drawDate(), dayNumber(2026, 8, 16));
    EXPECT_EQ(state.label(WindowLabel::TipPageDraw).text.substr(0, 11), "So 16.08.26");
    EXPECT_FALSE(state.importRunning());

    EXPECT_EQ(state.AustriaLast10(), 0); // nothing new the second time
    EXPECT_EQ(stored(), real);
}

TEST_F(Import, LastTenRefusesImpossibleAndFutureDraws) {
    archive(real); // up to Fr 21.08.26; today is 07.12.26
    host.server.pages[austrianLastTenUrl("http://lotto.test")] =
        austrianLastTenPage({draw(2026, 8, 26, {1, 2, 3, 4, 5, 6}, 6),  // extra number repeated
                             draw(2026, 8, 30, {1, 2, 3, 4, 5, 46}, 7), // 46
                             draw(2026, 12, 6, {7, 9, 12, 20, 33, 41}, 8),
                             draw(2026, 12, 9, {1, 2, 3, 4, 5, 6}, 7)}); // after today
    EXPECT_EQ(state.AustriaLast10(), 1);
    auto expected = real;
    expected.push_back(draw(2026, 12, 6, {7, 9, 12, 20, 33, 41}, 8, real.back().numbers[7]));
    EXPECT_EQ(stored(), expected);
    EXPECT_EQ(state.label(WindowLabel::TipPageDraw).text.substr(0, 11),
              "So 06.12.26"); // refused ones not shown
}
