#include "cli/CliRunner.h"
#include "core/TestSupport.h"
#include "core/evaluation/CurrentDraw.h"
#include "settings/QtSettingsStore.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <sys/stat.h>

using namespace lotto;
using namespace lotto::test;

TEST(CliCommon, UsageErrorsAndHelp) {
    EXPECT_EQ(runCli({"--help"}).exitCode, 0);
    const CliResult none = runCli({});
    EXPECT_EQ(none.exitCode, 2);
    EXPECT_NE(none.err.find("Aufruf: lotto-cli"), std::string::npos);
    EXPECT_EQ(runCli({"frobnicate"}).exitCode, 2);
    EXPECT_EQ(runCli({"stats"}).exitCode, 2);
    EXPECT_EQ(runCli({"show", "--date"}).exitCode, 2);
    EXPECT_EQ(runCli({"show", "--date", "31.02.2002"}).exitCode, 2);
    EXPECT_EQ(runCli({"stats", "frequency", "--bogus"}).exitCode, 2);
}

TEST(CliStats, FrequencyAndDigitSumsOfTheBundledArchive) {
    TempDir dir;
    const std::string data = dir.path() + "programm";
    const CliResult r = runCli({"--datadir", data, "--no-settings", "stats", "frequency"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(std::filesystem::exists(data + "/ZahlenAT.dat")); // a new program directory gets the archive
    const auto lines = r.lines();
    ASSERT_EQ(lines.size(), 47U);
    EXPECT_EQ(lines[0], "title: Zahlenverteilung     Ziehungen: 3586    Quersumme: 138");

    std::array<int, 46> counts{};
    for (const DrawRecord& d : realDraws()) {
        const int wd = weekday(d.day());
        if (wd == kSunday || wd == kWednesday)
            for (int i = 0; i < 7; ++i)
                ++counts[d.numbers[static_cast<std::size_t>(i)]];
    }
    const auto [low, high] = std::minmax_element(counts.begin() + 1, counts.end());
    EXPECT_EQ(lines[1], "axis: fixed " + std::to_string(*low) + " " + std::to_string(*high));
    for (int n = 1; n <= 45; ++n)
        EXPECT_EQ(lines[static_cast<std::size_t>(n + 1)],
                  std::to_string(n) + " " + std::to_string(counts[static_cast<std::size_t>(n)]));

    const CliResult sums = runCli(
        {"--datadir", data, "--no-settings", "stats", "digitsums", "--since", "01.01.2020", "--no-sunday"});
    ASSERT_EQ(sums.exitCode, 0) << sums.err;
    EXPECT_EQ(sums.lines().at(1), "axis: automatic");
    EXPECT_EQ(sums.lines().at(0).rfind("title: Quersummenverteilung     Ziehungen: ", 0), 0U);
}

TEST(CliStats, MissingArchiveFailsWithOneLine) {
    TempDir dir;
    std::filesystem::create_directories(dir.path() + "leer");
    const CliResult r = runCli({"--datadir", dir.path() + "leer", "stats", "frequency"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find("Datei nicht gefunden"), std::string::npos) << r.err;
}

TEST(CliShow, DrawForADateOnTheRealArchive) {
    TempDir dir;
    const std::string data = dir.path() + "p";
    CliResult r = runCli({"--datadir", data, "--no-settings", "show", "--date", "01.01.2002"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.lines(),
              (std::vector<std::string>{"Mi 02.01.02    7  23  24  33  36  39 Z:3", "Quersumme: 162"}));
    r = runCli({"--datadir", data, "--no-settings", "show", "--date", "07.09.1986"});
    EXPECT_EQ(r.lines().at(0), "So 07.09.86     1  20  22  24  27  40 Z:12"); // the first record
    r = runCli({"--datadir", data, "--no-settings", "show", "--date", "01.01.2030"});
    EXPECT_EQ(r.lines().at(0), "Fr 21.08.26    1  3  24  32  36  42 Z:37");

    std::filesystem::remove(data + "/ZahlenAT.dat");
    r = runCli({"--datadir", data, "show"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Lesen Sie zuerst die Daten der Ziehungen ein\n");
    r = runCli({"--datadir", data, "generate"}); // the message says it all: one line
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Lesen Sie zuerst die Daten der Ziehungen ein\n");
}

TEST(CliCheck, TipsAgainstADraw) {
    TempDir dir;
    const std::string data = dir.path() + "p";
    writeBytes(dir.file("t.qtp"), "39,36,33,24,23,7\r\n3,7,23,1,2,4\r\n1,2,3\r\n");
    CliResult r =
        runCli({"--datadir", data, "--no-settings", "check", dir.file("t.qtp"), "--date", "02.01.2002"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto lines = r.lines();
    ASSERT_EQ(lines.size(), 13U);
    EXPECT_EQ(lines[0], "Mi 02.01.02    7  23  24  33  36  39 Z:3");
    EXPECT_EQ(lines[1], "7,23,24,33,36,39\t162\t6\tred");
    EXPECT_EQ(lines[2], "1,2,3,4,7,23\t40\t2 + Z\tblack");
    EXPECT_EQ(lines[3], "1,2,,,,3\t\t\tblack");
    EXPECT_EQ(lines[12], ",,,,,\t\t\tblack");

    r = runCli({"--datadir", data, "check", dir.file("fehlt.qtp")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("fehlt.qtp"), std::string::npos);

    r = runCli({"--datadir", data, "--no-settings", "stats", "tips", "--tips", dir.file("t.qtp")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.lines().at(0), "title: Zahlenverteilung des Tippes");
    EXPECT_EQ(r.lines().at(1), "axis: fixed 0 2");
    EXPECT_EQ(r.lines().at(2 + 6), "7 2"); // 7 in tips 1 and 2; tip 3 stops the count at its empty cell
}

TEST(CliGenerate, SeededTipsAreReproducibleAndSaved) {
    TempDir dir;
    const std::string data = dir.path() + "p";
    const std::vector<std::string> args{"--datadir", data, "--no-settings", "generate", "--seed", "4711"};
    const CliResult a = runCli(args);
    ASSERT_EQ(a.exitCode, 0) << a.err;
    const auto lines = a.lines();
    ASSERT_EQ(lines.size(), 13U);
    EXPECT_EQ(lines[12], "status: Tipps wurden neu berechnet");
    EXPECT_EQ(runCli(args).out, a.out);

    auto more = args;
    for (const char* extra : {"--set", "UpDown8=2", "--set", "Chekcbox9=0", "--out"})
        more.push_back(extra);
    more.push_back(dir.file("neu.qtp"));
    const CliResult b = runCli(more);
    ASSERT_EQ(b.exitCode, 0) << b.err;
    EXPECT_NE(b.lines()[1], ",,,,,");
    EXPECT_EQ(b.lines()[2], ",,,,,");
    const std::string saved = readWholeFile(dir.file("neu.qtp"));
    EXPECT_EQ(saved.substr(0, saved.find('\r')), b.lines()[0]);

    const CliResult impossible =
        runCli({"--datadir", data, "--no-settings", "generate", "--seed", "1", "--set", "UpDown1=279",
                "--set", "UpDown2=279", "--set", "UpDown7=1"});
    EXPECT_EQ(impossible.lines().at(0), ",,,,,");
    EXPECT_EQ(impossible.lines().at(12), "status: Ändern Sie die Parameter, um 12 Tipps zu berechnen");

    EXPECT_EQ(runCli({"--datadir", data, "generate", "--set", "Chekcbox16=1"}).exitCode, 2);
    EXPECT_EQ(runCli({"--datadir", data, "generate", "--set", "UpDown9=1"}).exitCode, 2);
    EXPECT_EQ(runCli({"--datadir", data, "generate", "--seed", "viel"}).exitCode, 2);
}

TEST(CliStats, GroupStatistics) {
    TempDir dir;
    const std::string data = dir.path() + "p";
    const CliResult pairs = runCli({"--datadir", data, "--no-settings", "stats", "pairs"});
    ASSERT_EQ(pairs.exitCode, 0) << pairs.err;
    EXPECT_EQ(pairs.lines().size(), 2U + 44U);
    EXPECT_EQ(pairs.lines()[0].rfind("title: Bei 3586 Ziehungen wurden ", 0), 0U);
    const CliResult quads =
        runCli({"--datadir", data, "--no-settings", "stats", "quadruples", "--since", "01.01.2000"});
    EXPECT_EQ(quads.lines().at(1), "axis: automatic");
    EXPECT_EQ(quads.lines().size(), 2U + 45U);
    const CliResult overdue =
        runCli({"--datadir", data, "--no-settings", "stats", "overdue", "--no-wednesday"});
    EXPECT_EQ(overdue.lines().at(0),
              "title: Welche Zahl ist überfällig, wurde also seit wie vielen Ziehungen nicht gezogen?");
    // The newest Sunday draw, 16.08.2026, is 5 14 22 25 29 31 | 43: with Wednesdays and the
    // Friday draws left out, those numbers are overdue by 1.
    EXPECT_EQ(overdue.lines().at(2 + 4), "5 1");
    EXPECT_EQ(overdue.lines().at(2 + 42), "43 1");
    EXPECT_NE(overdue.lines().at(2 + 2), "3 1"); // 3 was drawn on Wednesday 19.08.
}

TEST(CliCommon, VersionPrefixAndRepeatedOptions) {
    const CliResult version = runCli({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out.rfind("Zerbosts Lotto ", 0), 0U) << version.out;
    EXPECT_EQ(version.lines().size(), 1U);

    TempDir dir;
    const std::string data = dir.path() + "p";
    const CliResult twice =
        runCli({"--datadir", data, "show", "--date", "01.01.2002", "--date", "02.01.2002"});
    EXPECT_EQ(twice.exitCode, 2);
    EXPECT_EQ(twice.err.rfind("lotto-cli: --date", 0), 0U) << twice.err;
    EXPECT_EQ(runCli({"--datadir", data, "--datadir", data, "show"}).exitCode, 2);
    const CliResult missing = runCli({"--datadir", data, "check", dir.file("fehlt.qtp")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err.rfind("lotto-cli: ", 0), 0U) << missing.err;
    EXPECT_EQ(missing.err.find('\n'), missing.err.size() - 1);
}

TEST(CliGenerate, SeedTakesTheWhole32BitRangeInOneNotation) {
    TempDir dir;
    const std::string data = dir.path() + "p";
    const CliResult top = runCli({"--datadir", data, "--no-settings", "generate", "--seed", "4294967295"});
    EXPECT_EQ(top.exitCode, 0) << top.err;
    EXPECT_EQ(runCli({"--datadir", data, "--no-settings", "generate", "--seed", "0"}).exitCode, 0);
    EXPECT_EQ(runCli({"--datadir", data, "generate", "--seed", "4294967296"}).exitCode, 2);
    const CliResult negative = runCli({"--datadir", data, "generate", "--seed", "-1"});
    EXPECT_EQ(negative.exitCode, 2);
    EXPECT_EQ(negative.err.rfind("lotto-cli: --seed", 0), 0U) << negative.err;
}

TEST(CliFiles, TipFileOverTheArchiveAndFifosAreRefused) {
    TempDir dir;
    const std::string data = dir.path() + "p";
    ASSERT_EQ(runCli({"--datadir", data, "--no-settings", "show"}).exitCode, 0);
    const std::string archive = readWholeFile(data + "/ZahlenAT.dat");
    const CliResult over = runCli(
        {"--datadir", data, "--no-settings", "generate", "--seed", "1", "--out", data + "/./ZahlenAT.dat"});
    EXPECT_EQ(over.exitCode, 1);
    EXPECT_EQ(over.err.rfind("lotto-cli: ", 0), 0U) << over.err;
    EXPECT_EQ(readWholeFile(data + "/ZahlenAT.dat"), archive);

    ASSERT_EQ(::mkfifo(dir.file("t.qtp").c_str(), 0600), 0);
    const CliResult fifoTips = runCli({"--datadir", data, "--no-settings", "check", dir.file("t.qtp")});
    EXPECT_EQ(fifoTips.exitCode, 1);
    EXPECT_NE(fifoTips.err.find("keine gewöhnliche Datei"), std::string::npos) << fifoTips.err;
    std::filesystem::remove(data + "/ZahlenAT.dat");
    ASSERT_EQ(::mkfifo((data + "/ZahlenAT.dat").c_str(), 0600), 0);
    EXPECT_EQ(runCli({"--datadir", data, "--no-settings", "stats", "frequency"}).exitCode, 1);
}

TEST(CliSettings, ALinkToADeviceOrFifoIsNeitherReadNorReplaced) {
    TempDir dir;
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(dir.path()));
    std::filesystem::create_directories(dir.file("Zerbost"));
    const std::string file = dir.file("Zerbost/RedidAR.json");
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
    for (const std::string& target : {std::string("/dev/null"), dir.file("fifo")}) {
        std::filesystem::remove(file);
        std::filesystem::create_symlink(target, file);
        {
            QtSettingsStore store; // reading the FIFO would block here
            store.write("UpDown7", 250);
            EXPECT_EQ(store.read("UpDown7"), std::optional<SettingValue>(250));
            store.flush();
        }
        EXPECT_TRUE(std::filesystem::is_symlink(file));
        EXPECT_EQ(std::filesystem::read_symlink(file).string(), target);
    }
    EXPECT_TRUE(std::filesystem::is_fifo(dir.file("fifo")));
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
    qputenv("XDG_CONFIG_HOME", oldConfig);
}

TEST(CliSheet, WritesTippTxtForTheDrawAfterTheDate) {
    TempDir dir;
    const std::string data = dir.path() + "p";
    writeBytes(dir.file("t.qtp"), "39,36,33,24,23,7\r\n1,2,3,4,5,6\r\n");
    CliResult r =
        runCli({"--datadir", data, "--no-settings", "sheet", dir.file("t.qtp"), "--date", "02.01.2002"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, std::filesystem::path(data + "/Tipp.txt").lexically_normal().string() + "\n");
    EXPECT_EQ(readWholeFile(data + "/Tipp.txt"), "Zerbosts Lotto-Tipp f\xFCr Sonntag 06.01.02\r\n" +
                                                     std::string(46, '~') +
                                                     "\r\n\r\n 1. Tipp:  7   23   24   33   36   39\r\n"
                                                     " 2. Tipp:  1    2    3    4    5    6\r\n");

    writeBytes(dir.file("t.qtp"), "1,2,3,4,5,\r\n");
    r = runCli({"--datadir", data, "--no-settings", "sheet", dir.file("t.qtp")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "lotto-cli: '' ist kein gültiger ganzzahliger Wert (1. Tipp, 6. Zahl)\n");
}

TEST(CliSearch, AnnouncesEachHitWithItsTip) {
    TempDir dir;
    const std::string data = dir.path() + "p";
    writeBytes(dir.file("t.qtp"), "1,2,3,4,5,6\r\n39,36,33,24,23,7\r\n");
    CliResult r =
        runCli({"--datadir", data, "--no-settings", "search", dir.file("t.qtp"), "--since", "01.01.2002"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "2\tEin Treffer am: 02.01.2002\n");

    r = runCli({"--datadir", data, "--no-settings", "search", dir.file("t.qtp"), "--since", "01.01.2002",
                "--threshold", "4"});
    std::string expected;
    for (const DrawRecord& d : realDraws()) {
        if (d.day() < dayNumber(2002, 1, 1)) continue;
        const std::vector<int> main(d.numbers.begin(), d.numbers.begin() + 6);
        for (const std::vector<int>& tip :
             {std::vector<int>{1, 2, 3, 4, 5, 6}, std::vector<int>{39, 36, 33, 24, 23, 7}})
            if (countHits(tip, main) >= 4)
                expected += (tip[0] == 1 ? "1" : "2") + std::string("\tEin Treffer am: ") +
                            formatShortDate(d.day()) + "\n";
    }
    EXPECT_EQ(r.out, expected);

    r = runCli({"--datadir", data, "--no-settings", "search", dir.file("t.qtp"), "--threshold", "vier"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "lotto-cli: 'vier' ist kein gültiger ganzzahliger Wert\n");
}

namespace {
const std::vector<DrawRecord> kSmallArchive{draw(2002, 1, 6, {2, 8, 15, 22, 30, 44}, 5),
                                            draw(2002, 1, 9, {1, 7, 12, 25, 33, 41}, 19)};
std::string archiveBytes(const std::vector<DrawRecord>& records) {
    const auto bytes = DrawArchive::encodeAll(records);
    return {bytes.begin(), bytes.end()};
}
} // namespace

TEST(CliMaintenance, AddPrintsTheFollowingCaptionAndRefusesBadNumbers) {
    TempDir dir;
    writeArchive(dir.file("ZahlenAT.dat"), kSmallArchive);
    const std::vector<std::string> add{"--datadir", dir.path(), "--no-settings", "add", "13.01.2002"};
    auto with = [&](std::vector<std::string> numbers) {
        std::vector<std::string> args = add;
        args.insert(args.end(), numbers.begin(), numbers.end());
        return runCli(args);
    };
    CliResult r = with({"40", "3", "17", "9", "45", "1", "8"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "So 13.01.02    1  3  9  17  40  45 Z:8\n");
    std::vector<DrawRecord> expected = kSmallArchive;
    expected.push_back(draw(2002, 1, 13, {1, 3, 9, 17, 40, 45}, 8));
    for (const auto& numbers : std::vector<std::vector<std::string>>{{"1", "2", "3", "4", "5", "5", "8"},
                                                                     {"1", "2", "3", "4", "5", "46", "8"},
                                                                     {"-5", "2", "3", "4", "5", "6", "8"},
                                                                     {"1", "2", "3", "4", "5", "6", "0"},
                                                                     {"1", "2", "3", "4", "5", "6", "6"}}) {
        r = with(numbers);
        EXPECT_EQ(r.exitCode, 1) << numbers[5];
        EXPECT_TRUE(r.out.empty());
        EXPECT_FALSE(r.err.empty());
    }
    r = runCli(
        {"--datadir", dir.path(), "--no-settings", "add", "01.01.2099", "1", "2", "3", "4", "5", "6", "7"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.rfind("Die Ziehung vom 01.01.2099 liegt in der Zukunft", 0), 0U) << r.err;
    EXPECT_EQ(readWholeFile(dir.file("ZahlenAT.dat")), archiveBytes(expected));
}

TEST(CliMaintenance, BackupsListedNewestFirstAndRestored) {
    TempDir dir;
    writeArchive(dir.file("ZahlenAT.dat"), kSmallArchive);
    const std::vector<std::string> cli{"--datadir", dir.path(), "--no-settings"};
    auto run = [&](std::vector<std::string> args) {
        args.insert(args.begin(), cli.begin(), cli.end());
        return runCli(args);
    };
    CliResult r = run({"restore", "1"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Es ist noch keine Sicherung des Archivs vorhanden.\n");
    r = run({"backups"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "");

    ASSERT_EQ(run({"delete", "09.01.2002"}).exitCode, 0);
    r = run({"backups"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    // "1", the time taken "dd.mm.yyyy HH:MM:SS", the draws kept, the newest draw.
    ASSERT_EQ(r.out.size(), 35u) << r.out;
    EXPECT_EQ(r.out.substr(0, 2), "1\t");
    EXPECT_EQ(r.out.substr(21), "\t2\t09.01.2002\n");
    const std::string taken = r.out.substr(2, 19);
    const std::string_view shape = "dd.mm.yyyy HH:MM:SS";
    for (std::size_t i = 0; i < shape.size(); ++i)
        EXPECT_TRUE(std::isalpha(static_cast<unsigned char>(shape[i]))
                        ? std::isdigit(static_cast<unsigned char>(taken[i])) != 0
                        : taken[i] == shape[i])
            << taken;
    r = run({"restore", "1"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Mi 09.01.02    1  7  12  25  33  41 Z:19\n");
    EXPECT_EQ(readWholeFile(dir.file("ZahlenAT.dat")), archiveBytes(kSmallArchive));
    r = run({"backups"});
    ASSERT_EQ(r.lines().size(), 2U) << r.out;
    EXPECT_EQ(r.lines()[0].substr(r.lines()[0].size() - 13),
              "\t1\t06.01.2002"); // the archive before the restore
    r = run({"restore", "3"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Es gibt keine Sicherung Nr. 3 (vorhanden: 2).\n");
    EXPECT_EQ(run({"restore", "0"}).exitCode, 2);
}

TEST(CliMaintenance, DeleteTheDrawOfADateOrSayThereIsNone) {
    TempDir dir;
    writeArchive(dir.file("ZahlenAT.dat"), kSmallArchive);
    CliResult r = runCli({"--datadir", dir.path(), "--no-settings", "delete", "06.01.2002"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(readWholeFile(dir.file("ZahlenAT.dat")), archiveBytes({kSmallArchive[1]}));
    for (const char* day : {"06.01.2002", "08.01.2002", "10.01.2002"}) {
        r = runCli({"--datadir", dir.path(), "--no-settings", "delete", day});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err, std::string("Keine Ziehung am ") + day + "\n");
    }
    EXPECT_EQ(readWholeFile(dir.file("ZahlenAT.dat")), archiveBytes({kSmallArchive[1]}));
}

TEST(CliMaintenance, ExportFromADateAndNeverOverTheArchive) {
    TempDir dir;
    writeArchive(dir.file("ZahlenAT.dat"), kSmallArchive);
    CliResult r = runCli({"--datadir", dir.path(), "--no-settings", "export", dir.file("alle.txt")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(readWholeFile(dir.file("alle.txt")),
              "06.01.2002,2,8,15,22,30,44,5,0;\r\n09.01.2002,1,7,12,25,33,41,19,0;\r\n");
    r = runCli(
        {"--datadir", dir.path(), "--no-settings", "export", dir.file("neu.txt"), "--from", "07.01.2002"});
    EXPECT_EQ(readWholeFile(dir.file("neu.txt")), "09.01.2002,1,7,12,25,33,41,19,0;\r\n");
    r = runCli({"--datadir", dir.path(), "--no-settings", "export", dir.file("ZahlenAT.dat")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("wird nicht überschrieben"), std::string::npos) << r.err;
    EXPECT_EQ(readWholeFile(dir.file("ZahlenAT.dat")), archiveBytes(kSmallArchive));
}

TEST(CliTicket, MarksCostAndThePdfPage) {
    TempDir dir;
    const std::string data = dir.path() + "programm";
    // "1,7,45" fills the first two cells and the last; tip 2 is empty and takes no field.
    writeBytes(dir.file("t.qtp"), "1,7,45\r\n,,,,,\r\n3,7,23,1,2,4\r\n");
    const CliResult r =
        runCli({"--datadir", data, "--no-settings", "ticket", dir.file("t.qtp"), "--pdf",
                dir.file("schein.pdf"), "--days", "so,mi", "--joker", "--top", "90", "--left", "20"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.lines(),
              (std::vector<std::string>{"Kosten: 9,02 €", "TicketMark1 20 90", "TicketMark2 20 105",
                                        "TicketMark6 50 195", "TicketMark13 50 210", "TicketMark14 20 225",
                                        "TicketMark15 80 255", "TicketMark16 20 210", "TicketMark17 35 210",
                                        "TicketMark18 65 210", "Mittwoch 138 362", "Spiel77Ja 342 392"}));
    EXPECT_EQ(readWholeFile(dir.file("schein.pdf")).substr(0, 5), "%PDF-");

    const CliResult none = runCli({"--datadir", data, "--no-settings", "ticket", dir.file("t.qtp"), "--pdf",
                                   dir.file("leer.pdf"), "--days", "none", "--test-image"});
    ASSERT_EQ(none.exitCode, 0) << none.err;
    EXPECT_EQ(none.lines().at(0), "Kosten: 0,00 €");
    EXPECT_EQ(none.lines().back(), "Spiel77Nein 378 390");

    // The prices stored on "Berechnungs-Optionen": 1,50 € a tip, 2,00 € a Joker game.
    std::filesystem::create_directories(dir.file("Zerbost"));
    writeBytes(dir.file("Zerbost/RedidAR.json"),
               R"({"EinsatzCent": {"t": "int", "v": 150}, "JokerCent": {"t": "int", "v": 200}})");
    const CliResult stored = runCli({"--datadir", data, "ticket", dir.file("t.qtp"), "--pdf",
                                     dir.file("p.pdf"), "--days", "mi", "--joker"},
                                    dir.path());
    ASSERT_EQ(stored.exitCode, 0) << stored.err;
    EXPECT_EQ(stored.lines().at(0), "Kosten: 5,00 €");

    EXPECT_EQ(runCli({"--datadir", data, "ticket", dir.file("t.qtp")}).exitCode, 2);
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"--top", "101"}, std::vector<std::string>{"--days", "sa"}}) {
        std::vector<std::string> args{"--datadir", data, "ticket", dir.file("t.qtp"), "--pdf", "x.pdf"};
        args.insert(args.end(), bad.begin(), bad.end());
        EXPECT_EQ(runCli(args).exitCode, 2) << bad[0];
    }
}

TEST(CliPrizes, BalancePerTipAndTotal) {
    TempDir dir;
    const std::string data = dir.path() + "p";
    std::filesystem::create_directories(data);
    writeArchive(data + "/ZahlenAT.dat", prizeBalanceDraws());
    writeBytes(data + "/Quoten.csv", kPrizeBalanceQuotas);
    writeBytes(dir.file("t.qtp"), "1,2,3,4,40,44\r\n20,21,22,30,31,32\r\n40,41,42,43,44,45\r\n1,2,3,4,5\r\n");
    CliResult r = runCli({"--datadir", data, "--no-settings", "prizes", dir.file("t.qtp")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "1\t4\t0\t0\t0\t0\t2\t1\t0\t0\t42746\t480\t42266\n"
                     "2\t4\t0\t0\t0\t0\t0\t0\t1\t0\t510\t480\t30\n"
                     "3\t4\t0\t0\t0\t0\t0\t0\t0\t1\t110\t480\t-370\n"
                     "total\t12\t0\t0\t0\t0\t2\t1\t1\t1\t43366\t1440\t41926\n");
    r = runCli({"--datadir", data, "--no-settings", "prizes", dir.file("t.qtp"), "--since", "01.01.2010",
                "--to", "07.03.2010", "--stake", "250", "--no-wednesday"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.lines().back(), "total\t3\t0\t0\t0\t0\t0\t1\t1\t1\t2230\t750\t1480");
    EXPECT_EQ(runCli({"--datadir", data, "prizes", dir.file("t.qtp"), "--stake", "-5"}).exitCode, 2);
}

// One draw tested: its tips are those `generate --seed (N + P)` gives on the archive of the
// draws before it, N + P wrapping at 2^32. Twelve tips leave two chi-square classes, 0 hits
// and 1 or more (reference by python3 for 5 tips without a hit: 0.0130, p = 0.9094).
TEST(CliBacktest, OneDrawAsGenerateGivesItOnTheArchiveBeforeIt) {
    TempDir dir;
    const std::vector<DrawRecord> records = realDraws();
    std::size_t p = 0;
    while (records[p].day() < dayNumber(2021, 1, 6))
        ++p;
    const std::string full = dir.path() + "voll", before = dir.path() + "davor";
    std::filesystem::create_directories(full);
    std::filesystem::create_directories(before);
    writeArchive(full + "/ZahlenAT.dat", records);
    writeArchive(before + "/ZahlenAT.dat", {records.begin(), records.begin() + static_cast<long>(p)});
    const CliResult r = runCli({"--datadir", full, "--no-settings", "backtest", "--since", "06.01.2021",
                                "--to", "06.01.2021", "--seed", "4294967295"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const CliResult g =
        runCli({"--datadir", before, "--no-settings", "generate", "--seed", std::to_string(p - 1)});
    ASSERT_EQ(g.exitCode, 0) << g.err;

    const std::array<int, 6> drawn{records[p].numbers[0], records[p].numbers[1], records[p].numbers[2],
                                   records[p].numbers[3], records[p].numbers[4], records[p].numbers[5]};
    std::array<int, 7> hits{};
    for (int t = 0; t < 12; ++t) {
        std::array<int, 6> tip{};
        std::sscanf(g.lines()[static_cast<std::size_t>(t)].c_str(), "%d,%d,%d,%d,%d,%d", &tip[0], &tip[1],
                    &tip[2], &tip[3], &tip[4], &tip[5]);
        ++hits[static_cast<std::size_t>(countHits(tip, drawn))];
    }
    const auto lines = r.lines();
    ASSERT_EQ(lines.size(), 20U);
    const auto count = [&](std::size_t line) { // the third field
        const std::string& l = lines[line];
        const std::size_t from = l.find('\t', l.find('\t') + 1) + 1;
        return std::stoi(l.substr(from, l.find('\t', from) - from));
    };
    EXPECT_EQ(lines[0], "draws\t1");
    EXPECT_EQ(lines[1], "tips\t12");
    const char* expected[7] = {"4.81", "5.09", "1.82", "0.27", "0.02", "0.00", "0.00"};
    for (int k = 0; k <= 6; ++k)
        EXPECT_EQ(lines[static_cast<std::size_t>(2 + k)],
                  "hits\t" + std::to_string(k) + "\t" + std::to_string(hits[static_cast<std::size_t>(k)]) +
                      "\t" + expected[k]);
    EXPECT_EQ(lines[9], "rank\t6er\t0\t0.00");
    EXPECT_EQ(count(12) + count(13), hits[4]); // 4er + ZZ and 4er
    EXPECT_EQ(count(14) + count(15), hits[3]);
    EXPECT_EQ(lines[16], "rank\tZZ\t0\t0.00"); // no stored quotas: ZZ alone is never a rank
    EXPECT_EQ(lines[17], "won\t0");
    EXPECT_EQ(lines[18], "stake\t1440");
    ASSERT_EQ(hits[0], 5);
    EXPECT_EQ(lines[19], "chi2\t0.0130\t1\t0.9094");

    const CliResult none = runCli({"--datadir", full, "--no-settings", "backtest", "--since", "06.01.2021",
                                   "--to", "06.01.2021", "--no-wednesday"});
    ASSERT_EQ(none.exitCode, 0) << none.err;
    EXPECT_EQ(none.lines()[1], "tips\t0");
    EXPECT_EQ(none.lines()[2], "hits\t0\t0\t0.00");
    EXPECT_EQ(none.lines().back(), "chi2\t0.0000\t0\t1.0000"); // one class left
    EXPECT_EQ(runCli({"--datadir", full, "backtest", "--seed", "-1"}).exitCode, 2);
    EXPECT_EQ(runCli({"--datadir", full, "backtest", "--set", "UpDown9=1"}).exitCode, 2);
}

TEST(CliSystem, ExpansionCostAndCheckAgainstADraw) {
    TempDir dir;
    const std::string data = dir.path() + "s";
    std::filesystem::create_directories(data);
    writeArchive(data + "/ZahlenAT.dat", prizeBalanceDraws());
    writeBytes(data + "/Quoten.csv", kPrizeBalanceQuotas);
    CliResult r =
        runCli({"--datadir", data, "--no-settings", "system", "5,6,7", "--bank", "4,3,2,1", "--list"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "system\t4/3\t3\t360\n1,2,3,4,5,6\n1,2,3,4,5,7\n1,2,3,4,6,7\n");
    r = runCli({"--datadir", data, "--no-settings", "system", "45,1,10,20,31,40,3,44", "--bank", "30,2"});
    EXPECT_EQ(r.out, "system\t2/8\t70\t8400\n");
    r = runCli({"--datadir", data, "--no-settings", "system", "40,6,5,4,3,2,1", "--date", "07.03.2010",
                "--stake", "100"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(
        r.out,
        "system\t0/7\t7\t700\ndraw\tSo 07.03.10    1  2  3  20  21  22 Z:40\n6er\t0\n5er + ZZ\t0\n5er\t0\n"
        "4er + ZZ\t0\n4er\t0\n3er + ZZ\t3\n3er\t1\nZZ\t3\nwon\t5670\n");

    r = runCli({"--datadir", data, "--no-settings", "system", "1,2,3,4,5,6,7", "--date", "08.03.2010"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Keine Ziehung am 08.03.2010\n");
    r = runCli({"--datadir", data, "--no-settings", "system", "1,2,3,4,5,6"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Ein System braucht mindestens 7 Zahlen (Bank- und Wahlzahlen zusammen).\n");
    for (const char* bad :
         {"1,2,3,4,5,6,x", "1,2,3,4,5,6,46", "1,2,3,4,5,6,6", "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16"})
        EXPECT_EQ(runCli({"--datadir", data, "--no-settings", "system", bad}).exitCode, 1) << bad;
    EXPECT_EQ(
        runCli({"--datadir", data, "--no-settings", "system", "1,2,3,4,5,6,7", "--stake", "-5"}).exitCode, 2);
    EXPECT_EQ(runCli({"--datadir", data, "--no-settings", "system"}).exitCode, 2);
}
