// lotto-cli killed (SIGKILL) at random moments while it changes the archive. After every kill
// the archive is the old one or a valid newer one, and the next start works on it.
// LOTTO_CRASH_SEED=N replays a run; the seed is printed at the start.

#include "cli/CliRunner.h"
#include "core/TestSupport.h"
#include "core/archive/DrawArchive.h"
#include "core/util/Dates.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <limits>
#include <optional>
#include <random>
#include <set>

using namespace lotto;
using namespace lotto::test;
namespace fs = std::filesystem;

namespace {

std::mt19937& randomMoments() {
    static std::mt19937 generator = [] {
        const char* given = std::getenv("LOTTO_CRASH_SEED");
        const auto seed =
            given ? static_cast<std::uint32_t>(std::strtoul(given, nullptr, 10)) : std::random_device{}();
        std::cout << "crash seed: " << seed << " (LOTTO_CRASH_SEED=" << seed << " replays this run)\n";
        return std::mt19937(seed);
    }();
    return generator;
}

// A record by what it says: the date and the seven numbers (byte 15 repeats an older record's).
std::string content(const DrawRecord& r) {
    return std::to_string(r.day()) + ":" + std::string(r.numbers.begin(), r.numbers.begin() + 7);
}

std::set<std::string> contents(const std::vector<DrawRecord>& records) {
    std::set<std::string> out;
    for (const DrawRecord& r : records)
        out.insert(content(r));
    return out;
}

std::string bytesOf(const std::vector<DrawRecord>& records) {
    const auto bytes = DrawArchive::encodeAll(records);
    return {bytes.begin(), bytes.end()};
}

struct Crash : ::testing::Test {
    static inline int kills = 0;
    static inline int restored = 0; // next starts that put a killed rebuild's set-aside archive back
    TempDir dir;
    std::string data = dir.path() + "programm";
    std::string archive = data + "/ZahlenAT.dat";
    std::vector<DrawRecord> real = realDraws();
    QProcess server;
    std::string base;

    // Every yearly file and the Swiss page of 2026, each answered after a pause.
    void SetUp() override {
        randomMoments();
        fs::create_directories(dir.path() + "www/download");
        fs::create_directories(dir.path() + "www/tkalnor/lotto");
        fs::create_directories(data);
        for (int year = 1986; year <= 2026; ++year)
            writeBytes(dir.path() + "www/download/lo_" + std::to_string(year) + ".csv",
                       austrianYearFile(year, real));
        std::string swiss;
        for (auto d = real.rbegin(); d != real.rend() && d->day() >= dayNumber(2026, 1, 1); ++d) {
            swiss += "<td class=\"textb\">Ziehung</td>\n<tr>\n<td>So;" + formatShortDate(d->day()) +
                     "</td>\n<tr>\n";
            for (std::size_t i = 0; i < 6; ++i)
                swiss += "<td class=\"text\">" + std::to_string(d->numbers[i]) + "</td>\n";
            swiss += "<tr>\n<td class=\"tc1\">" + std::to_string(d->numbers[6]) + "</td>\n";
        }
        writeBytes(dir.path() + "www/tkalnor/lotto/Z2026.shtml", swiss);
        const char* handler = "class Slow(http.server.SimpleHTTPRequestHandler):\n"
                              "    def log_message(self, *args): pass\n"
                              "    def do_GET(self):\n"
                              "        time.sleep(0.04)\n"
                              "        super().do_GET()\n";
        base = startFolderServer(server, handler, dir.path() + "www");
        if (base.empty()) GTEST_SKIP() << "python3 is not available";
    }
    void TearDown() override {
        server.kill();
        server.waitForFinished(5000);
    }
    static void TearDownTestSuite() {
        std::cout << "lotto-cli killed " << kills << " times; " << restored
                  << " set-aside archives put back\n";
    }

    std::vector<std::string> withDatadir(const std::vector<std::string>& args) const {
        std::vector<std::string> all{"--datadir", data, "--no-settings"};
        all.insert(all.end(), args.begin(), args.end());
        return all;
    }
    std::vector<DrawRecord> until(DayNumber last) const { return drawsUntil(real, last); }
    std::string archiveBytes() const { return fs::exists(archive) ? readWholeFile(archive) : std::string(); }

    // Runs the command to its end three times (from the state prepare() leaves); returns the
    // shortest run in milliseconds: on a busy machine one slow run would put most kill
    // moments after a quick command's end.
    qint64 calibrate(const std::vector<std::string>& args, const std::function<void()>& prepare) {
        qint64 shortest = std::numeric_limits<qint64>::max();
        for (int run = 0; run < 3; ++run) {
            prepare();
            QElapsedTimer timer;
            timer.start();
            const CliResult r = runCli(withDatadir(args));
            EXPECT_EQ(r.exitCode, 0) << r.err;
            shortest = std::min(shortest, timer.elapsed());
        }
        return shortest;
    }

    // Starts the command and kills it after a random part of span; false when it ended first.
    bool runAndKill(const std::vector<std::string>& args, qint64 span) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), QString::fromStdString(dir.path() + "config"));
        env.insert(QStringLiteral("LOTTO_HTTP_TIMEOUT_MS"), QStringLiteral("5000"));
        process.setProcessEnvironment(env);
        QStringList arguments;
        for (const std::string& a : withDatadir(args))
            arguments << QString::fromStdString(a);
        const int moment = std::uniform_int_distribution<int>(0, static_cast<int>(span))(randomMoments());
        process.start(QString::fromLocal8Bit(std::getenv("LOTTO_CLI")), arguments);
        if (!process.waitForStarted(10000)) return false;
        if (process.waitForFinished(moment)) return false;
        process.kill();
        process.waitForFinished(10000);
        ++kills;
        return true;
    }

    // The archive after a kill: the old bytes, or whole records, ascending, one per day, each
    // already stored or delivered by the source; an append only adds at the end.
    void checkArchive(const std::string& before, const std::set<std::string>& delivered, bool appendOnly) {
        ASSERT_TRUE(fs::exists(archive));
        const std::string now = archiveBytes();
        if (now == before) return;
        ASSERT_EQ(now.size() % DrawRecord::kSize, 0U);
        if (appendOnly) {
            ASSERT_EQ(now.substr(0, before.size()), before);
        }
        std::set<std::string> known = delivered;
        for (std::size_t at = 0; at + DrawRecord::kSize <= before.size(); at += DrawRecord::kSize)
            known.insert(
                content(DrawRecord::decode(reinterpret_cast<const std::uint8_t*>(before.data() + at))));
        DayNumber previous = 0;
        for (std::size_t at = 0; at < now.size(); at += DrawRecord::kSize) {
            const DrawRecord r = DrawRecord::decode(reinterpret_cast<const std::uint8_t*>(now.data() + at));
            ASSERT_GT(r.day(), previous) << "record " << at / DrawRecord::kSize;
            ASSERT_TRUE(known.count(content(r))) << formatShortDate(r.day());
            previous = r.day();
        }
    }

    // The next start: stray temporary files (made an hour old) are cleared, never read as the
    // archive; a killed rebuild's set-aside archive comes back when the archive holds no draw.
    void nextStart() {
        std::vector<fs::path> strays;
        for (const auto& entry : fs::directory_iterator(data))
            if (entry.path().filename().string().find(".~lotto-") != std::string::npos) {
                fs::last_write_time(entry.path(), fs::file_time_type::clock::now() - std::chrono::hours(2));
                strays.push_back(entry.path());
            }
        const std::string aside = archive + ".alt";
        const std::optional<std::string> asideBefore =
            fs::exists(aside) ? std::optional(readWholeFile(aside)) : std::nullopt;
        const std::string before = archiveBytes();
        const CliResult r = runCli(withDatadir({"show", "--date", "01.01.2000"}));
        ASSERT_EQ(r.exitCode, 0) << r.err;
        ASSERT_EQ(r.lines().size(), 2U) << r.out;
        for (const fs::path& p : strays)
            EXPECT_FALSE(fs::exists(p)) << p;
        if (asideBefore && (before.size() < DrawRecord::kSize || before == *asideBefore)) {
            restored += before.size() < DrawRecord::kSize ? 1 : 0;
            EXPECT_EQ(archiveBytes(), *asideBefore);
            EXPECT_FALSE(fs::exists(aside));
        } else {
            EXPECT_EQ(archiveBytes(), before);
            EXPECT_EQ(fs::exists(aside), asideBefore.has_value());
        }
    }

    // Kills the command `times` times, each time from the state prepare() leaves.
    void killRepeatedly(const std::vector<std::string>& args, const std::function<void()>& prepare,
                        const std::set<std::string>& delivered, bool appendOnly, int times = 11) {
        const qint64 span = calibrate(args, prepare);
        int killed = 0;
        for (int run = 0; killed < times && run < 3 * times; ++run) {
            prepare();
            const std::string before = archiveBytes();
            killed += runAndKill(args, span) ? 1 : 0;
            ASSERT_NO_FATAL_FAILURE(checkArchive(before, delivered, appendOnly));
            ASSERT_NO_FATAL_FAILURE(nextStart());
        }
        EXPECT_EQ(killed, times);
    }
};

} // namespace

TEST_F(Crash, UpdateFromTheYearlyFiles) {
    const auto old = until(dayNumber(2012, 6, 30));
    killRepeatedly(
        {"update", "--source", "austria", "--server", base, "--file", dir.path() + "page.csv"},
        [&] {
            // Each kill goes on from what the one before left, until everything is there.
            if (!fs::exists(archive) ||
                DrawArchive(archive).recordCount() == static_cast<std::int64_t>(real.size()))
                writeArchive(archive, old);
        },
        contents(real), true);
}

TEST_F(Crash, RebuildKeepsTheArchiveOrItsSetAsideCopy) {
    const std::vector<std::string> rebuild{"rebuild",  "--from",  "01.01.2016",
                                           "--source", "austria", "--server",
                                           base,       "--file",  dir.path() + "page.csv"};
    const auto old = until(dayNumber(2025, 12, 31));
    killRepeatedly(
        rebuild,
        [&] {
            const std::string aside = archive + ".alt";
            if (fs::exists(aside)) {
                // A partly rebuilt archive: the set-aside one stays until the user removes it,
                // and the next rebuild says so and changes nothing.
                const std::string before = archiveBytes();
                const CliResult refused = runCli(withDatadir(rebuild));
                EXPECT_EQ(refused.exitCode, 1);
                EXPECT_NE(refused.err.find(aside), std::string::npos) << refused.err;
                EXPECT_EQ(archiveBytes(), before);
                fs::remove(aside);
            }
            writeArchive(archive, old);
        },
        contents(real), false);
}

TEST_F(Crash, SwissPagesInsertOlderDraws) {
    // Every third draw of 2026 up to August is missing and comes back in date order.
    std::vector<DrawRecord> old;
    int n = 0;
    for (const DrawRecord& d : until(dayNumber(2026, 8, 1)))
        if (d.day() < dayNumber(2026, 1, 1) || ++n % 3 != 0) old.push_back(d);
    killRepeatedly(
        {"update", "--source", "switzerland", "--server", base, "--file", dir.path() + "page.html"},
        [&] { writeArchive(archive, old); }, contents(real), false);
}

TEST_F(Crash, AddAndDelete) {
    const auto old = until(dayNumber(2026, 8, 16));
    const DrawRecord added = draw(2026, 8, 19, {1, 2, 3, 4, 5, 6}, 7);
    const DrawRecord replaced = draw(2026, 8, 5, {11, 12, 13, 14, 15, 16}, 17);
    const auto prepare = [&] { writeArchive(archive, old); };
    killRepeatedly({"add", "19.08.2026", "1", "2", "3", "4", "5", "6", "7"}, prepare, contents({added}), true,
                   6);
    killRepeatedly({"add", "05.08.2026", "16", "15", "14", "13", "12", "11", "17"}, prepare,
                   contents({replaced}), false, 6);
    killRepeatedly({"delete", "05.08.2026"}, prepare, {}, false, 6);
    // Whatever the kills left, a finished run gives the expected archive.
    prepare();
    ASSERT_EQ(runCli(withDatadir({"delete", "05.08.2026"})).exitCode, 0);
    auto expected = old;
    expected.erase(std::find_if(expected.begin(), expected.end(),
                                [](const DrawRecord& d) { return d.day() == dayNumber(2026, 8, 5); }));
    EXPECT_EQ(bytesOf(DrawArchive(archive).readAll()), bytesOf(expected));
}
