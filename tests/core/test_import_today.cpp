#include "core/StateFixture.h"
#include "core/import/AustrianArchive.h"
#include "core/import/AustrianToday.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

using namespace lotto;
using namespace lotto::test;

namespace {

const std::array<int, 7> kSample2010{1, 13, 24, 30, 36, 38, 19};

} // namespace

TEST(TodayLine, TwoLineDrawTakesTheAscendingLine) {
    const TodayLine up =
        parseTodayLine("So;21.11.;aufsteigend;1;13;24;30;36;38;Zz;19;6er;2;à;1.864.444,50;;;");
    ASSERT_EQ(up.kind, TodayLineKind::Draw);
    EXPECT_EQ(up.day, 21);
    EXPECT_EQ(up.month, 11);
    EXPECT_EQ(up.numbers, kSample2010);
    ASSERT_GE(up.prizeFields.size(), 4U);
    EXPECT_EQ(up.prizeFields[0], "6er");
    EXPECT_EQ(up.prizeFields[3], "1.864.444,50");
    EXPECT_EQ(parseTodayLine(";;gezogen;38;24;13;36;30;1;Zz;19;4er;8.099;à;48,00").kind,
              TodayLineKind::DrawingOrder);
}

TEST(TodayLine, DayMonthDatesInBothForms) {
    const TodayLine short1 = parseTodayLine("Mi;1.9.;aufsteigend;1;13;24;30;36;38;Zz;19");
    ASSERT_EQ(short1.kind, TodayLineKind::Draw);
    EXPECT_EQ(short1.day, 1);
    EXPECT_EQ(short1.month, 9);
    const TodayLine mixed = parseTodayLine("So;21.7.;aufsteigend;1;13;24;30;36;38;Zz;19");
    EXPECT_EQ(mixed.day * 100 + mixed.month, 2107);
    const TodayLine old = parseTodayLine("So.;07.09.;1;20;22;24;27;40;Zz:;12;1;à;6.542.159,00");
    ASSERT_EQ(old.kind, TodayLineKind::Draw);
    EXPECT_EQ(old.day * 100 + old.month, 709);
    EXPECT_EQ(old.numbers, (std::array<int, 7>{1, 20, 22, 24, 27, 40, 12}));
    for (const char* date : {"32.1.", "0.1.", "1.13.", "1.0.", "011.1.", "1.1", "1..", "07.09.1986"})
        EXPECT_EQ(parseTodayLine(std::string("So;") + date + ";aufsteigend;1;13;24;30;36;38;Zz;19").kind,
                  TodayLineKind::Unknown)
            << date;
}

TEST(TodayLine, SectionLinesSetTheYearOfTheLinesAfterThem) {
    const TodayLine section = parseTodayLine("1999 Lotto - Beträge in ATS;;;;;;");
    EXPECT_EQ(section.kind, TodayLineKind::Section);
    EXPECT_EQ(section.year, 1999);
    TodayFileReader reader(2010);
    EXPECT_EQ(reader.read("So;29.2.;aufsteigend;1;13;24;30;36;38;Zz;19"), std::nullopt); // no 29.02.2010
    EXPECT_EQ(reader.read("So;21.11.;aufsteigend;1;13;24;30;36;38;Zz;19")->day, dayNumber(2010, 11, 21));
    EXPECT_EQ(reader.read("2012 Lotto - Beträge in EUR;;;"), std::nullopt);
    EXPECT_EQ(reader.read("Mi;29.2.;aufsteigend;1;13;24;30;36;38;Zz;19")->day, dayNumber(2012, 2, 29));
    EXPECT_EQ(parseTodayLine("199 Lotto - Beträge;;").kind, TodayLineKind::Unknown);
    EXPECT_EQ(parseTodayLine("1999 Toto;;").kind, TodayLineKind::Unknown);
}

TEST(TodayLine, HeadingPrizeOnlyAndUnknownLines) {
    EXPECT_EQ(
        parseTodayLine("Datum;Reihenfolge;Zahl1;Zahl2;Zahl3;Zahl4;Zahl5;Zahl6;ZZ;Zusatzzahl;Rang_1_5").kind,
        TodayLineKind::Heading);
    const std::string bom = "\xEF\xBB\xBF"; // before the first line of the files from 2018
    EXPECT_EQ(parseTodayLine(bom + "Datum;Reihenfolge;Zahl1").kind, TodayLineKind::Heading);
    EXPECT_EQ(parseTodayLine(bom + "04.01.;aufsteigend;1;4;15;16;22;38;ZZ;11").kind, TodayLineKind::Draw);
    const TodayLine prizes = parseTodayLine("04.01.;;;;;;;;;;4er;3.027;€;62,70");
    ASSERT_EQ(prizes.kind, TodayLineKind::PrizeOnly);
    EXPECT_EQ(prizes.prizeFields, (std::vector<std::string_view>{"4er", "3.027", "€", "62,70"}));
    EXPECT_EQ(parseTodayLine("04.01.;aufsteigend;1;4;15;16;22;38;ZZ;11;6er;1;€;1.200.000,00").numbers,
              (std::array<int, 7>{1, 4, 15, 16, 22, 38, 11}));
    for (const char* line :
         {"", ";;;;;;;;;;;;", "Lotto", "04.01.;aufsteigend;1;4;15;16;22;46;ZZ;11",
          "04.01.;aufsteigend;1;4;15;16;22;15;ZZ;11", "04.01.;aufsteigend;1;4;15;16;22;38;ZZ;0",
          "04.01.;aufsteigend;1;4;15;16;22;38;11;11", "04.01.;aufsteigend;1;4;15;16;22;38;ZZ",
          "04.01.;aufsteigend;1;4;15;16;22;038;ZZ;11", "04.01.;aufsteigend;1;4;15;16;22;+8;ZZ;11",
          "Xy;04.01.;1;4;15;16;22;38;Zz:;11", "04.01.;absteigend;1;4;15;16;22;38;ZZ;11"})
        EXPECT_EQ(parseTodayLine(line).kind, TodayLineKind::Unknown) << line;
}

TEST(TodayFiles, TheTableSaysWhichFileServesWhichYear) {
    const auto table = parseTodayFileTable(kTodayDefaultFiles);
    ASSERT_EQ(table.size(), 3U);
    const auto y2010 = todayFileUrls("https://h.test/", table, 2010);
    ASSERT_EQ(y2010.size(), 2U);
    EXPECT_EQ(y2010[0].url, "https://h.test/media-nopagespeed/lotto-ergebnisse-1986-2010.csv");
    EXPECT_EQ(y2010[1].url, "https://h.test/media-nopagespeed/lotto-ziehungen-2010-2017.csv");
    EXPECT_EQ(y2010[1].firstYear, 2010);
    const auto y2020 = todayFileUrls("https://h.test", table, 2020);
    ASSERT_EQ(y2020.size(), 1U);
    EXPECT_EQ(y2020[0].url, "https://h.test/media/NN_W2D_STAT_Lotto_2020.csv");
    EXPECT_EQ(y2020[0].firstYear, 2020); // a file per year begins with its own year
    EXPECT_TRUE(todayFileUrls("https://h.test", table, 1985).empty());
    // Rows that do not read are left out; line ends separate rows too.
    EXPECT_EQ(parseTodayFileTable("x=/a;2000-1999=/b;2000=/c;-=/d;2001-2002=\n2003-=e.csv").size(), 1U);
}

namespace {

// The default table's files: "1986_2010", "2010_2017" or a year.
std::string fileUrl(const std::string& name) {
    if (name == "1986_2010") return "https://lotto.test/media-nopagespeed/lotto-ergebnisse-1986-2010.csv";
    if (name == "2010_2017") return "https://lotto.test/media-nopagespeed/lotto-ziehungen-2010-2017.csv";
    return "https://lotto.test/media/NN_W2D_STAT_Lotto_" + name + ".csv";
}

struct TodayImport : StateFixture<PageHost> {
    std::vector<DrawRecord> real = realDraws();
    TodayImport() {
        state.setServer(ImportSource::AustriaToday, "https://lotto.test");
        state.setTodayFilesEdit(kTodayDefaultFiles);
        state.setFileNameEdit(dir.file("Lotto.html"));
        state.setTipsReady(true);
        host.server.pages[fileUrl("1986_2010")] = todayFile1986(real);
        host.server.pages[fileUrl("2010_2017")] = todayFile2010(real);
        for (int year = 2018; year <= 2026; ++year)
            host.server.pages[fileUrl(std::to_string(year))] = todayYearFile(year, real);
    }
    std::string archivePath() const { return dir.file("ZahlenAT.dat"); }
    std::vector<DrawRecord> until(DayNumber last) const { return drawsUntil(real, last); }
    void importFile(const std::string& name, const std::string& content) {
        writeBytes(dir.file(name), content);
        host.openFile = dir.file(name);
        state.ImportFileBitBtnClick();
    }
};

} // namespace

TEST_F(TodayImport, RebuildFrom1986GivesTheBundledArchiveFetchingEachFileOnce) {
    // The append rule takes only draws later than the picker's date into an empty archive, so
    // a rebuild from 07.09.1986 leaves out the draw of that day; from the day before it gives
    // all 3,672 draws.
    state.setDrawDate(dayNumber(1986, 9, 7));
    state.BitBtn2Click(); // the chosen source: today's files by default
    EXPECT_EQ(DrawArchive(archivePath()).readAll(), std::vector<DrawRecord>(real.begin() + 1, real.end()));
    std::vector<std::string> expected{fileUrl("1986_2010"), fileUrl("2010_2017")};
    for (int year = 2018; year <= 2026; ++year)
        expected.push_back(fileUrl(std::to_string(year)));
    EXPECT_EQ(host.server.urls, expected);
    EXPECT_EQ(state.importProgress().done, 41); // 1986 to 2026

    state.setDrawDate(dayNumber(1986, 9, 6));
    state.BitBtn2Click();
    EXPECT_EQ(DrawArchive(archivePath()).recordCount(), 3672);
    EXPECT_EQ(readWholeFile(archivePath()), readWholeFile(realArchivePath()));
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(TodayImport, UpdateAppendsExactlyTheLaterDrawsFridaysIncludedThenNothing) {
    const auto old = until(dayNumber(2025, 3, 16));
    archive(old);
    const auto fridays = std::count_if(real.begin() + static_cast<std::ptrdiff_t>(old.size()), real.end(),
                                       [](const DrawRecord& d) { return weekday(d.day()) == 6; }); // Fridays
    EXPECT_GT(fridays, 0);
    EXPECT_EQ(state.AustrianSourceUpdate(), static_cast<std::int64_t>(real.size() - old.size()));
    EXPECT_EQ(DrawArchive(archivePath()).readAll(), real);
    EXPECT_EQ(host.server.urls, (std::vector<std::string>{fileUrl("2025"), fileUrl("2026")}));
    EXPECT_EQ(state.label(WindowLabel::TipPageDraw).text, "Fr 21.08.26    1  3  24  32  36  42 Z:37");

    host.server.urls.clear();
    const auto before = readWholeFile(archivePath());
    EXPECT_EQ(state.AustrianSourceUpdate(), 0);
    EXPECT_EQ(readWholeFile(archivePath()), before);
    EXPECT_EQ(host.server.urls, std::vector<std::string>{fileUrl("2026")});

    state.setAustrianSource(ImportSource::Austria); // the original yearly files stay a choice
    state.setServer(ImportSource::Austria, "http://old.test");
    host.server.urls.clear();
    state.AustrianSourceUpdate();
    EXPECT_EQ(host.server.urls, std::vector<std::string>{austrianYearUrl("http://old.test", 2026)});
}

TEST_F(TodayImport, AFailedFileEndsTheUpdateBeforeItsYearAndTheCurrentYearMayBeMissing) {
    archive(until(dayNumber(2024, 6, 30)));
    host.server.pages.erase(fileUrl("2025"));
    host.server.pages.erase(fileUrl("2026"));
    state.AustrianSourceUpdate();
    EXPECT_EQ(host.server.urls, (std::vector<std::string>{fileUrl("2024"), fileUrl("2025")}));
    EXPECT_EQ(DrawArchive(archivePath()).readAll(), until(dayNumber(2024, 12, 31)));
    EXPECT_EQ(host.messages.size(), 1U);

    host.server.pages[fileUrl("2025")] = todayYearFile(2025, real);
    host.messages.clear();
    state.AustrianSourceUpdate(); // 2026 not published yet: nothing new, no failure
    EXPECT_EQ(DrawArchive(archivePath()).readAll(), until(dayNumber(2025, 12, 31)));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(state.lastImport()->complete);
}

TEST_F(TodayImport, FileImportReadsEveryKnownLayout) {
    // Each file brings the draws after the archive's last one, through the same rule.
    archive(until(dayNumber(1998, 6, 30)));
    importFile("lo_1998.csv", austrianYearFile(1998, real)); // original layout, year from the name
    EXPECT_EQ(DrawArchive(archivePath()).readAll(), until(dayNumber(1998, 12, 31)));
    importFile("lo_1999.csv", austrianYearFile(1999, real)); // full dates
    EXPECT_EQ(DrawArchive(archivePath()).readAll(), until(dayNumber(1999, 12, 31)));
    importFile("heruntergeladen.csv", todayFile1986(real));
    EXPECT_EQ(DrawArchive(archivePath()).readAll(), until(dayNumber(2010, 6, 30)));
    importFile("zwei.csv", todayFile2010(real));
    EXPECT_EQ(DrawArchive(archivePath()).readAll(), until(dayNumber(2017, 12, 31)));
    importFile("NN_W2D_STAT_Lotto_2018.csv", todayYearFile(2018, real));
    EXPECT_EQ(DrawArchive(archivePath()).readAll(), until(dayNumber(2018, 12, 31)));
    importFile("alle.csv", readWholeFile(sourcePath("data/austria-6aus45.csv")));
    EXPECT_EQ(readWholeFile(archivePath()), readWholeFile(realArchivePath()));
    EXPECT_EQ(state.label(WindowLabel::TipPageDraw).text, "Fr 21.08.26    1  3  24  32  36  42 Z:37");
    EXPECT_TRUE(host.messages.empty());
    EXPECT_FALSE(state.importRunning());
    EXPECT_EQ(state.importProgress().done, state.importProgress().total);
}

TEST_F(TodayImport, AnUnknownFileImportsNothingAndSaysSo) {
    importFile("bild.csv", "Datum;Zahlen\r\n1;2;3\r\n"); // no archive yet: none is created
    EXPECT_FALSE(std::filesystem::exists(archivePath()));
    archive(until(dayNumber(2020, 1, 1)));
    const auto before = readWholeFile(archivePath());
    importFile("leer.csv", "");
    EXPECT_EQ(host.messages, std::vector<std::string>(2, MainState::kUnknownResultsFileMessage));
    // The German 6 aus 49: told by its heading even where every row would fit, or without a
    // heading by one number outside 1..45.
    host.messages.clear();
    importFile("lotto.csv", "date,n1,n2,n3,n4,n5,n6,superzahl\n2024-01-03,5,12,23,34,41,44,7\n");
    importFile("lotto.csv", "2024-01-03,5,12,23,34,41,44,7\n2024-01-06,3,9,17,28,36,49,0\n");
    EXPECT_EQ(host.messages, std::vector<std::string>(2, MainState::kForeignResultsFileMessage));
    // A file larger than any results file is refused, not cut.
    host.messages.clear();
    writeBytes(dir.file("gross.csv"), todayYearFile(2020, real));
    std::filesystem::resize_file(dir.file("gross.csv"), kMaxDownloadBytes + 1);
    host.openFile = dir.file("gross.csv");
    state.ImportFileBitBtnClick();
    EXPECT_EQ(host.messages, std::vector<std::string>{MainState::kResultsFileTooLargeMessage});
    EXPECT_EQ(readWholeFile(archivePath()), before);
    EXPECT_FALSE(state.lastImport());
}

TEST_F(TodayImport, AnEmptyArchiveTakesEveryDrawOfTheFile) {
    importFile("alle.csv", readWholeFile(sourcePath("data/austria-6aus45.csv")));
    EXPECT_EQ(readWholeFile(archivePath()), readWholeFile(realArchivePath()));
    EXPECT_EQ(state.lastImport()->added, 3672);
    EXPECT_EQ(state.statusText(1), "3.672 neue Ziehungen übernommen (bis 21.08.2026)");
}

TEST_F(TodayImport, FutureAndImpossibleDrawsOfAFileAreRefused) {
    archive(until(dayNumber(2026, 8, 1)));
    importFile("NN_W2D_STAT_Lotto_2026.csv", todayYearFile(2026, real) +
                                                 "23.08.;aufsteigend;1;2;3;4;5;6;ZZ;6;6er;0;€;0,00\r\n"
                                                 "13.12.;aufsteigend;1;2;3;4;5;6;ZZ;7;6er;1;€;1.000,00\r\n");
    EXPECT_EQ(DrawArchive(archivePath()).readAll(), real); // today is 07.12.2026
    const PrizeTable prizes = parsePrizeStore(readWholeFile(state.prizeStorePath()));
    EXPECT_TRUE(prizes.count(dayNumber(2026, 8, 21)));
    EXPECT_FALSE(prizes.count(dayNumber(2026, 12, 13)));
    EXPECT_FALSE(prizes.count(dayNumber(2026, 8, 23)));
}
