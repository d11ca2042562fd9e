#include "cli/CliRunner.h"
#include "core/TestSupport.h"
#include "core/archive/DrawArchive.h"
#include "core/import/AustrianArchive.h"
#include "core/shell/MainState.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <filesystem>

using namespace lotto;
using namespace lotto::test;

TEST(CliUpdate, SourcesNotBuiltYetAreUsageErrors) {
    TempDir dir;
    for (const char* source : {"mars"}) {
        const CliResult r = runCli({"--datadir", dir.path(), "--no-settings", "update", "--source", source});
        EXPECT_EQ(r.exitCode, 2) << source;
        EXPECT_TRUE(r.out.empty());
    }
    EXPECT_EQ(runCli({"--datadir", dir.path(), "--no-settings", "rebuild"}).exitCode,
              2); // --from is required
}

namespace {

// python3's http.server on 127.0.0.1 serving the yearly files of the real draws.
struct YearFiles : ::testing::Test {
    TempDir dir;
    std::string data = dir.path() + "programm";
    std::vector<DrawRecord> real = realDraws();
    QProcess server;
    std::string base;

    void SetUp() override {
        std::filesystem::create_directories(dir.path() + "www/download");
        std::filesystem::create_directories(data);
        for (int year = 1986; year <= 2026; ++year)
            writeBytes(dir.path() + "www/download/lo_" + std::to_string(year) + ".csv",
                       austrianYearFile(year, real));
        const int port = startPythonServer(
            server, {QStringLiteral("-u"), QStringLiteral("-m"), QStringLiteral("http.server"),
                     QStringLiteral("0"), QStringLiteral("--bind"), QStringLiteral("127.0.0.1"),
                     QStringLiteral("--directory"), QString::fromStdString(dir.path() + "www")});
        if (port == 0) GTEST_SKIP() << "python3 is not available";
        base = "http://127.0.0.1:" + std::to_string(port);
        // Without the HTTP client every request fails as an unknown host.
        const CliResult probe = fetch(base + "/download/lo_2026.csv");
        if (probe.out.find("can't resolve") != std::string::npos)
            GTEST_SKIP() << "lotto-cli has no HTTP client yet: " << probe.out;
    }
    void TearDown() override {
        server.kill();
        server.waitForFinished(5000);
    }
    CliResult fetch(const std::string& url) {
        return runCli({"--datadir", data, "--no-settings", "fetch", url, "--file", dir.path() + "page.html"});
    }
    CliResult update(std::vector<std::string> extra) {
        std::vector<std::string> args{"--datadir", data, "--no-settings"};
        args.insert(args.end(), extra.begin(), extra.end());
        for (const char* a : {"--server", "", "--file", ""})
            args.emplace_back(a);
        args[args.size() - 3] = base;
        args[args.size() - 1] = dir.path() + "page.html";
        return runCli(args);
    }
    std::vector<DrawRecord> until(DayNumber last) const { return drawsUntil(real, last); }
    std::string received(int year) const {
        return "Received " + std::to_string(austrianYearFile(year, real).size()) + " bytes";
    }
};

} // namespace

TEST_F(YearFiles, FetchStoresThePageAndTellsTheOutcome) {
    const CliResult ok = fetch(base + "/download/lo_1998.csv");
    EXPECT_EQ(ok.exitCode, 0);
    EXPECT_EQ(ok.out, received(1998) + "\n");
    EXPECT_EQ(readWholeFile(dir.path() + "page.html"), austrianYearFile(1998, real));
    const CliResult missing = fetch(base + "/download/lo_1900.csv");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.out, "Failed : 404 File not found\n");
    EXPECT_EQ(readWholeFile(dir.path() + "page.html"), "");
}

TEST_F(YearFiles, UpdateAppendsTheLaterDrawsAndRebuildReadsFromTheDate) {
    writeArchive(data + "/ZahlenAT.dat", until(dayNumber(2025, 6, 30)));
    const CliResult r = update({"update", "--source", "austria"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto lines = r.lines();
    ASSERT_GE(lines.size(), 5U);
    EXPECT_EQ(lines[0], "Loading");
    EXPECT_EQ(lines[1], received(2025));
    EXPECT_EQ(lines[2], "Loading");
    EXPECT_EQ(lines[3], received(2026));
    EXPECT_EQ(lines[4],
              "Neue Ziehungen: " + std::to_string(real.size() - until(dayNumber(2025, 6, 30)).size()));
    EXPECT_EQ(lines.back(), "Fr 21.08.26    1  3  24  32  36  42 Z:37");
    EXPECT_EQ(DrawArchive(data + "/ZahlenAT.dat").readAll(), real);

    const CliResult rebuilt = update({"rebuild", "--from", "01.01.2026", "--source", "austria"});
    ASSERT_EQ(rebuilt.exitCode, 0) << rebuilt.err;
    const auto records = DrawArchive(data + "/ZahlenAT.dat").readAll();
    EXPECT_EQ(records.size(), real.size() - until(dayNumber(2026, 1, 1)).size());
    EXPECT_EQ(rebuilt.lines().at(rebuilt.lines().size() - 2),
              "Neue Ziehungen: " + std::to_string(records.size()));
    EXPECT_EQ(records.back(), real.back());
    EXPECT_FALSE(std::filesystem::exists(data + "/ZahlenAT.dat.alt"));
}

TEST_F(YearFiles, AFailedYearEndsTheUpdateWithExitOneAndTheNextRunFillsIt) {
    const auto old = until(dayNumber(2024, 6, 30));
    writeArchive(data + "/ZahlenAT.dat", old);
    const std::string file2025 = dir.path() + "www/download/lo_2025.csv";
    std::filesystem::remove(file2025);
    const CliResult r = update({"update", "--source", "austria"});
    EXPECT_EQ(r.exitCode, 1);
    const auto until2024 = until(dayNumber(2024, 12, 31));
    EXPECT_EQ(r.lines(),
              (std::vector<std::string>{"Loading", received(2024), "Loading", "Failed : 404 File not found",
                                        "Neue Ziehungen: " + std::to_string(until2024.size() - old.size()),
                                        "So 29.12.24    14  17  20  35  39  45 Z:43"}));
    EXPECT_EQ(
        r.err,
        "Die Ziehungen von 2025 konnten nicht vollständig geladen werden (Failed : 404 File not found). "
        "Die Ziehungen davor sind gespeichert; die nächste Aktualisierung beginnt wieder mit 2025.\n");
    EXPECT_EQ(DrawArchive(data + "/ZahlenAT.dat").readAll(), until2024);

    writeBytes(file2025, austrianYearFile(2025, real));
    const CliResult again = update({"update", "--source", "austria"});
    EXPECT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(again.lines().at(6), "Neue Ziehungen: " + std::to_string(real.size() - until2024.size()));
    EXPECT_EQ(DrawArchive(data + "/ZahlenAT.dat").readAll(), real);
}

namespace {

// Today's results files of the real draws over HTTPS from 127.0.0.1, with the test authority's
// server certificate; lotto-cli trusts the authority through LOTTO_HTTP_CA_FILE.
struct TodayFiles : ::testing::Test {
    TempDir dir;
    std::string data = dir.path() + "programm";
    std::vector<DrawRecord> real = realDraws();
    QProcess server;
    std::string base;

    void SetUp() override {
        const std::string media = dir.path() + "www/media/NN_W2D_STAT_Lotto_";
        std::filesystem::create_directories(dir.path() + "www/media");
        std::filesystem::create_directories(dir.path() + "www/media-nopagespeed");
        std::filesystem::create_directories(data);
        writeBytes(dir.path() + "www/media-nopagespeed/lotto-ergebnisse-1986-2010.csv", todayFile1986(real));
        writeBytes(dir.path() + "www/media-nopagespeed/lotto-ziehungen-2010-2017.csv", todayFile2010(real));
        for (int year = 2018; year <= 2026; ++year)
            writeBytes(media + std::to_string(year) + ".csv", todayYearFile(year, real));
        const std::string tls = sourcePath("tests/data/tls/");
        const char* script =
            "import functools, http.server, ssl, sys\n"
            "class Quiet(http.server.SimpleHTTPRequestHandler):\n"
            "    def log_message(self, *args): pass\n"
            "server = http.server.HTTPServer(('127.0.0.1', 0), functools.partial(Quiet, "
            "directory=sys.argv[1]))\n"
            "context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)\n"
            "context.load_cert_chain(sys.argv[2] + 'server.pem', sys.argv[2] + 'server.key')\n"
            "server.socket = context.wrap_socket(server.socket, server_side=True)\n"
            "print('port', server.server_address[1], flush=True)\n"
            "server.serve_forever()\n";
        const int port = startPythonServer(server, {QStringLiteral("-c"), QString::fromLatin1(script),
                                                    QString::fromStdString(dir.path() + "www"),
                                                    QString::fromStdString(tls)});
        if (port == 0) GTEST_SKIP() << "python3 is not available";
        base = "https://127.0.0.1:" + std::to_string(port);
        qputenv("LOTTO_HTTP_CA_FILE", QByteArray::fromStdString(tls + "ca.pem"));
    }
    void TearDown() override {
        qunsetenv("LOTTO_HTTP_CA_FILE");
        server.kill();
        server.waitForFinished(5000);
    }
    std::vector<DrawRecord> until(DayNumber last) const { return drawsUntil(real, last); }
};

} // namespace

TEST_F(TodayFiles, UpdateOverHttpsAppendsTheLaterDraws) {
    writeArchive(data + "/ZahlenAT.dat", until(dayNumber(2025, 6, 30)));
    const CliResult r = runCli({"--datadir", data, "--no-settings", "update", "--source", "austria-today",
                                "--server", base, "--file", dir.path() + "page.csv"});
    ASSERT_EQ(r.exitCode, 0) << r.err << r.out;
    const std::string received2026 =
        "Received " + std::to_string(todayYearFile(2026, real).size()) + " bytes";
    EXPECT_EQ(r.lines(),
              (std::vector<std::string>{
                  "Loading", "Received " + std::to_string(todayYearFile(2025, real).size()) + " bytes",
                  "Loading", received2026,
                  "Neue Ziehungen: " + std::to_string(real.size() - until(dayNumber(2025, 6, 30)).size()),
                  "Fr 21.08.26    1  3  24  32  36  42 Z:37"}));
    EXPECT_EQ(DrawArchive(data + "/ZahlenAT.dat").readAll(), real);
}

TEST_F(TodayFiles, UpdateThroughTinyproxyTunnelsToTheHttpsServer) {
    const QString tinyproxy = QStandardPaths::findExecutable(QStringLiteral("tinyproxy"));
    if (tinyproxy.isEmpty()) GTEST_SKIP() << "tinyproxy is not installed (Debian package tinyproxy)";
    quint16 port = 0;
    {
        QTcpServer free;
        free.listen(QHostAddress::LocalHost);
        port = free.serverPort();
    }
    writeBytes(dir.path() + "tinyproxy.conf",
               "Port " + std::to_string(port) +
                   "\nListen 127.0.0.1\nTimeout 30\nAllow 127.0.0.1\nLogLevel Error\n");
    QProcess proxy;
    proxy.start(tinyproxy, {QStringLiteral("-d"), QStringLiteral("-c"),
                            QString::fromStdString(dir.path() + "tinyproxy.conf")});
    bool listening = false;
    for (const QDeadlineTimer deadline(10000); !listening && !deadline.hasExpired(); QThread::msleep(50)) {
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, port);
        listening = probe.waitForConnected(200);
    }
    ASSERT_TRUE(listening);
    writeArchive(data + "/ZahlenAT.dat", until(dayNumber(2025, 6, 30)));
    const CliResult r = runCli({"--datadir", data, "--no-settings", "update", "--source", "austria-today",
                                "--server", base, "--proxy", "127.0.0.1", "--proxy-port",
                                std::to_string(port), "--file", dir.path() + "page.csv"});
    proxy.kill();
    proxy.waitForFinished(5000);
    ASSERT_EQ(r.exitCode, 0) << r.err << r.out;
    EXPECT_EQ(DrawArchive(data + "/ZahlenAT.dat").readAll(), real);
}

TEST(CliImport, AResultsFileIsAppendedAndAnUnknownOneRefused) {
    TempDir dir;
    const std::string archive = dir.path() + "ZahlenAT.dat";
    const auto real = realDraws();
    std::vector<DrawRecord> old;
    for (const DrawRecord& d : real)
        if (d.day() < dayNumber(2026, 1, 1)) old.push_back(d);
    writeArchive(archive, old);
    writeBytes(dir.path() + "2026.csv", todayYearFile(2026, real));
    writeBytes(dir.path() + "bild.png", "\x89PNG\r\n");

    const CliResult unknown =
        runCli({"--datadir", dir.path(), "--no-settings", "import", dir.path() + "bild.png"});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_EQ(unknown.out, "");
    EXPECT_EQ(unknown.err, std::string(MainState::kUnknownResultsFileMessage) + "\n");
    EXPECT_EQ(DrawArchive(archive).readAll(), old);

    // The German 6 aus 49 is another game, however well its rows would fit.
    writeBytes(dir.path() + "de.csv", "date,n1,n2,n3,n4,n5,n6,superzahl\n2026-08-22,3,9,17,28,36,44,5\n");
    const CliResult german =
        runCli({"--datadir", dir.path(), "--no-settings", "import", dir.path() + "de.csv"});
    EXPECT_EQ(german.exitCode, 1);
    EXPECT_EQ(german.out, "");
    EXPECT_EQ(german.err, std::string(MainState::kForeignResultsFileMessage) + "\n");
    EXPECT_EQ(DrawArchive(archive).readAll(), old);

    const CliResult ok =
        runCli({"--datadir", dir.path(), "--no-settings", "import", dir.path() + "2026.csv"});
    EXPECT_EQ(ok.exitCode, 0) << ok.err;
    EXPECT_EQ(ok.out, "Neue Ziehungen: " + std::to_string(real.size() - old.size()) +
                          "\nFr 21.08.26    1  3  24  32  36  42 Z:37\n");
    EXPECT_EQ(DrawArchive(archive).readAll(), real);

    // Into an empty archive: every draw of the file.
    std::filesystem::remove(archive);
    const CliResult all =
        runCli({"--datadir", dir.path(), "--no-settings", "import", sourcePath("data/austria-6aus45.csv")});
    EXPECT_EQ(all.exitCode, 0) << all.err;
    EXPECT_EQ(all.out, "Neue Ziehungen: 3672\nFr 21.08.26    1  3  24  32  36  42 Z:37\n");
    EXPECT_EQ(DrawArchive(archive).readAll(), real);
}
TEST_F(YearFiles, UpdateFromTheGermanAndTheSwissPages) {
    const auto old = until(dayNumber(2026, 8, 1));
    writeArchive(data + "/ZahlenAT.dat", old);
    // The server ignores the query, so every week gets this page; its draws are stored once.
    std::string german;
    for (const auto& [date, numbers] : std::vector<std::pair<std::string, std::vector<int>>>{
             {"19.08.26", {3, 23, 31, 33, 35, 47, 6}}, {"22.08.26", {7, 16, 22, 28, 30, 31, 4}}}) {
        german += "<b>Ziehung  am " + date + "</b>\n";
        for (const int n : numbers)
            german += "<img src=\"lottozahlen/" + std::to_string(n) + ".gif\">\n";
    }
    std::filesystem::create_directories(dir.path() + "www/interactive");
    writeBytes(dir.path() + "www/interactive/realtime.pl", german);
    const CliResult de = update({"update", "--source", "germany"});
    ASSERT_EQ(de.exitCode, 0) << de.err;
    EXPECT_EQ(de.lines().back(), "Sa 22.08.26    7  16  22  28  30  31 Z:4");
    EXPECT_EQ(de.lines().at(de.lines().size() - 2), "Neue Ziehungen: 2");
    auto expected = old; // the German game's numbers run to 49
    expected.push_back(draw(2026, 8, 19, {3, 23, 31, 33, 35, 47}, 6, old.back().numbers[7]));
    expected.push_back(draw(2026, 8, 22, {7, 16, 22, 28, 30, 31}, 4, old.back().numbers[7]));
    EXPECT_EQ(DrawArchive(data + "/ZahlenAT.dat").readAll(), expected);

    // The Swiss page of 2026 lists the later draws newest first.
    writeArchive(data + "/ZahlenAT.dat", old);
    std::string swiss;
    for (auto d = real.rbegin(); d != real.rend() && d->day() > old.back().day(); ++d) {
        swiss +=
            "<td class=\"textb\">Ziehung</td>\n<tr>\n<td>So;" + formatShortDate(d->day()) + "</td>\n<tr>\n";
        for (std::size_t i = 0; i < 6; ++i)
            swiss += "<td class=\"text\">" + std::to_string(d->numbers[i]) + "</td>\n";
        swiss += "<tr>\n<td class=\"tc1\">" + std::to_string(d->numbers[6]) + "</td>\n";
    }
    std::filesystem::create_directories(dir.path() + "www/tkalnor/lotto");
    writeBytes(dir.path() + "www/tkalnor/lotto/Z2026.shtml", swiss);
    const CliResult ch = update({"update", "--source", "switzerland"});
    ASSERT_EQ(ch.exitCode, 0) << ch.err;
    EXPECT_EQ(ch.lines(),
              (std::vector<std::string>{"Loading", "Received " + std::to_string(swiss.size()) + " bytes",
                                        "Neue Ziehungen: " + std::to_string(real.size() - old.size()),
                                        "Fr 21.08.26    1  3  24  32  36  42 Z:37"}));
    EXPECT_EQ(DrawArchive(data + "/ZahlenAT.dat").readAll(), real);
}

TEST_F(YearFiles, UpdateFromTheLastTenPage) {
    writeArchive(data + "/ZahlenAT.dat", until(dayNumber(2026, 8, 5)));
    const std::string page = austrianLastTenPage(std::vector<DrawRecord>(real.end() - 10, real.end()));
    std::filesystem::create_directories(dir.path() + "www/frame");
    writeBytes(dir.path() + "www/frame/LO_10rd.html", page);
    const CliResult r = update({"update", "--source", "austria-last10"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Loading\nReceived " + std::to_string(page.size()) +
                         " bytes\nNeue Ziehungen: 6\nSo 16.08.26    5  14  22  25  29  31 Z:43\n");
    EXPECT_EQ(DrawArchive(data + "/ZahlenAT.dat").readAll(), real);
}

TEST_F(YearFiles, LatestShowsTheLabelsItSet) {
    writeBytes(dir.path() + "www/aktuell.html",
               latestDrawPage({draw(2026, 8, 19, {3, 5, 6, 22, 38, 40}, 27),
                               draw(2001, 12, 29, {6, 10, 11, 21, 31, 37}, 40)},
                              4));
    writeBytes(dir.file("t.qtp"), "3,5,6,10,11,12\r\n1,2,5,27,43,44\r\n");
    const CliResult r = runCli({"--datadir", data, "--no-settings", "latest", "--url", base + "/aktuell.html",
                                "--tips", dir.file("t.qtp")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Label3: 19.08.2026\nLabel1: 3  5 6  22  38  40\nLabel6: ZZ: 27\nLabel7: SZ: 4\n"
                     "Label22: 3\nLabel23: 1 + Z\nLabel24: 0\nLabel25: 0\nLabel26: 0\nLabel27: 0\n"
                     "Label5: 29.12.2001\nLabel2: 6  10  11  21  31  37\nLabel9: ZZ: 40\nLabel8: SZ: 4\n"
                     "Label15: 3\nLabel16: 0\nLabel17: 0\nLabel18: 0\nLabel19: 0\nLabel20: 0\n");
}
