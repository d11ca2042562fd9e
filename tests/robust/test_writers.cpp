// Two programs writing in one program directory at once: lotto-cli update twice, and update
// beside add or delete. Whatever the timing, each ends with exit 0 or is refused (exit 1 with
// the busy message) and the archive holds exactly the real draws: none wrong, none lost.
// LOTTO_WRITER_ROUNDS=N runs each case N times (default 2).

#include "cli/CliRunner.h"
#include "core/TestSupport.h"
#include "core/archive/DrawArchive.h"
#include "core/util/Dates.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <random>
#include <thread>

using namespace lotto;
using namespace lotto::test;
namespace fs = std::filesystem;

namespace {

// A record by what it says: the date and the seven numbers (byte 15 of an entered draw
// repeats an older record's).
std::vector<std::string> contents(const std::vector<DrawRecord>& records) {
    std::vector<std::string> out;
    for (const DrawRecord& r : records)
        out.push_back(formatShortDate(r.day()) + ":" + std::string(r.numbers.begin(), r.numbers.begin() + 7));
    return out;
}

int rounds() {
    const char* given = std::getenv("LOTTO_WRITER_ROUNDS");
    return given ? std::max(1, std::atoi(given)) : 2;
}

struct Writers : ::testing::Test {
    static inline int runs = 0, refused = 0;
    TempDir dir;
    std::string data = dir.path() + "programm";
    std::string archive = data + "/ZahlenAT.dat";
    std::vector<DrawRecord> real = realDraws();
    QProcess server;
    std::string base;
    std::mt19937 moments{std::random_device{}()};

    // The yearly files, each sent slowly, so an update of 2018 to 2026 takes about as long
    // as a second writer waits.
    void SetUp() override {
        fs::create_directories(dir.path() + "www/download");
        fs::create_directories(data);
        for (int year = 2018; year <= 2026; ++year)
            writeBytes(dir.path() + "www/download/lo_" + std::to_string(year) + ".csv",
                       austrianYearFile(year, real));
        // Each body dribbles in over about a quarter of a second, so two downloads into one
        // download file would overlap.
        const char* handler = "class Slow(http.server.SimpleHTTPRequestHandler):\n"
                              "    def log_message(self, *args): pass\n"
                              "    def do_GET(self):\n"
                              "        try:\n"
                              "            data = open(self.translate_path(self.path), 'rb').read()\n"
                              "        except OSError:\n"
                              "            self.send_error(404)\n"
                              "            return\n"
                              "        self.send_response(200)\n"
                              "        self.send_header('Content-Length', str(len(data)))\n"
                              "        self.end_headers()\n"
                              "        for i in range(0, len(data), 1024):\n"
                              "            self.wfile.write(data[i:i + 1024])\n"
                              "            self.wfile.flush()\n"
                              "            time.sleep(0.06)\n";
        base = startFolderServer(server, handler, dir.path() + "www");
        if (base.empty()) GTEST_SKIP() << "python3 is not available";
    }
    void TearDown() override {
        server.kill();
        server.waitForFinished(5000);
    }
    static void TearDownTestSuite() {
        std::cout << runs << " runs of two writers; " << refused << " second writers refused\n";
    }

    void start(QProcess& process, const std::vector<std::string>& args) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), QString::fromStdString(dir.path() + "config"));
        process.setProcessEnvironment(env);
        QStringList arguments{QStringLiteral("--datadir"), QString::fromStdString(data),
                              QStringLiteral("--no-settings")};
        for (const std::string& a : args)
            arguments << QString::fromStdString(a);
        process.start(QString::fromLocal8Bit(std::getenv("LOTTO_CLI")), arguments);
        ASSERT_TRUE(process.waitForStarted(10000));
    }
    std::vector<std::string> update() const { return {"update", "--source", "austria", "--server", base}; }

    // Both run to their end; each succeeded or was refused as busy. Returns who succeeded.
    std::pair<bool, bool> runBoth(const std::vector<std::string>& first,
                                  const std::vector<std::string>& second) {
        QProcess a, b;
        start(a, first);
        std::this_thread::sleep_for(
            std::chrono::milliseconds(std::uniform_int_distribution<int>(0, 1000)(moments)));
        start(b, second);
        bool ok[2] = {false, false};
        int i = 0;
        for (QProcess* p : {&a, &b}) {
            EXPECT_TRUE(p->waitForFinished(60000));
            const std::string err = p->readAllStandardError().toStdString();
            ok[i] = p->exitCode() == 0;
            if (!ok[i]) {
                EXPECT_NE(err.find("Ein anderes Programm ändert gerade das Archiv"), std::string::npos)
                    << "process " << i << " exit " << p->exitCode() << ": " << err;
            }
            ++i;
        }
        EXPECT_TRUE(ok[0] || ok[1]);
        ++runs;
        refused += !ok[0] || !ok[1];
        return {ok[0], ok[1]};
    }
};

TEST_F(Writers, TwoUpdatesAtOnceStoreTheRealDrawsOnce) {
    for (int round = 0; round < rounds(); ++round) {
        writeArchive(archive, drawsUntil(real, dayNumber(2018, 12, 31)));
        runBoth(update(), update());
        EXPECT_EQ(contents(DrawArchive(archive).readAll()), contents(real)) << "round " << round;
    }
}

TEST_F(Writers, AddOrDeleteBesideAnUpdateLosesNoDrawAndKeepsNoWrongOne) {
    // The add enters a real draw missing from the archive; the delete removes a wrong one.
    const std::vector<DrawRecord> before = drawsUntil(real, dayNumber(2018, 12, 31));
    const DrawRecord missing = before[before.size() - 10];
    std::vector<DrawRecord> withoutIt = before;
    withoutIt.erase(withoutIt.end() - 10);
    const DrawRecord wrong = draw(2018, 12, 1, {1, 2, 3, 4, 5, 6}, 7); // a Saturday: no real draw
    const auto withWrongDraw = [&](std::vector<DrawRecord> records) {
        records.insert(
            std::upper_bound(records.begin(), records.end(), wrong,
                             [](const DrawRecord& a, const DrawRecord& b) { return a.date < b.date; }),
            wrong);
        return records;
    };
    const std::vector<DrawRecord> withWrong = withWrongDraw(before);
    const std::vector<DrawRecord> realWithWrong = withWrongDraw(real);
    std::vector<std::string> add{"add", formatShortDate(missing.day())};
    for (std::size_t i = 0; i < 7; ++i)
        add.push_back(std::to_string(missing.numbers[i]));
    std::vector<DrawRecord> realWithoutMissing = real;
    realWithoutMissing.erase(realWithoutMissing.begin() + static_cast<std::ptrdiff_t>(before.size()) - 10);

    for (int round = 0; round < rounds(); ++round) {
        writeArchive(archive, withoutIt);
        const auto added = runBoth(update(), add);
        EXPECT_EQ(contents(DrawArchive(archive).readAll()),
                  contents(added.second ? real : realWithoutMissing))
            << "add, round " << round;

        writeArchive(archive, withWrong);
        const auto deleted = runBoth(update(), {"delete", formatShortDate(wrong.day())});
        EXPECT_EQ(contents(DrawArchive(archive).readAll()), contents(deleted.second ? real : realWithWrong))
            << "delete, round " << round;
    }
}

} // namespace
