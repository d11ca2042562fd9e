// Hostile input from files and the network, one row each: lotto-cli neither crashes nor
// hangs nor grows without bound, says what went wrong, and changes the archive at most by
// appending whole draws that the source delivered.

#include "cli/CliRunner.h"
#include "core/TestSupport.h"
#include "core/archive/DrawArchive.h"
#include "core/shell/SettingsSchema.h"
#include "core/util/Dates.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <filesystem>
#include <functional>
#include <random>
#include <sys/resource.h>

using namespace lotto;
using namespace lotto::test;
namespace fs = std::filesystem;

namespace {

// Serves the files below its folder, or, while the file ".mode" names one, misbehaves on
// every request: an endless header, an endless body, a close in the middle of the header,
// a response trickled one byte a second, half the file (then a close or a reset), or the
// file in chunks (with or without the last one).
const char* const kServer = R"(
import os, socket, socketserver, struct, sys, time
root = sys.argv[1]
class Handler(socketserver.BaseRequestHandler):
    def handle(self):
        s, request = self.request, b''
        while b'\r\n\r\n' not in request:
            chunk = s.recv(4096)
            if not chunk: return
            request += chunk
        path = request.split(b' ')[1].decode().split('?')[0]
        mode = open(os.path.join(root, '.mode')).read() if os.path.exists(os.path.join(root, '.mode')) else ''
        try:
            if mode == 'endless-header':
                s.sendall(b'HTTP/1.0 200 OK\r\n')
                while True: s.sendall(b'X-Junk: aaaaaaaaaaaaaaaa\r\n' * 4096)
            elif mode == 'endless-body':
                s.sendall(b'HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n')
                while True: s.sendall(b'<td class="text">7</td>\n' * 4096)
            elif mode == 'mid-header':
                s.sendall(b'HTTP/1.0 200 OK\r\nContent-Le')
            elif mode in ('cut', 'reset', 'chunked', 'chunked-cut'):
                body = open(os.path.join(root, path.lstrip('/')), 'rb').read()
                if mode in ('cut', 'reset'):
                    s.sendall(b'HTTP/1.0 200 OK\r\nContent-Length: %d\r\n\r\n' % len(body) + body[:len(body) // 2])
                    if mode == 'cut': return
                    time.sleep(0.2)
                    s.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack('ii', 1, 0))
                    s.close()
                    return
                s.sendall(b'HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n')
                for i in range(0, len(body), 1000):
                    s.sendall(b'%x\r\n' % len(body[i:i + 1000]) + body[i:i + 1000] + b'\r\n')
                if mode == 'chunked': s.sendall(b'0\r\n\r\n')
            elif mode == 'trickle':
                for b in b'HTTP/1.0 200 OK\r\n\r\nabc':
                    s.sendall(bytes([b])); time.sleep(1)
            else:
                name = os.path.join(root, path.lstrip('/'))
                if os.path.isfile(name):
                    body = open(name, 'rb').read()
                    s.sendall(b'HTTP/1.0 200 OK\r\nContent-Length: %d\r\n\r\n' % len(body) + body)
                else:
                    s.sendall(b'HTTP/1.0 404 Not Found\r\n\r\n')
        except OSError:
            pass
class Server(socketserver.ThreadingTCPServer):
    daemon_threads = True
    allow_reuse_address = True
    def handle_error(self, *args): pass
server = Server(('127.0.0.1', 0), Handler)
print('port', server.server_address[1], flush=True)
server.serve_forever()
)";

enum class Archive { Unchanged, AllReal, Prepared };

struct Row {
    const char* name;
    std::function<void(struct Hostile&)> prepare;
    std::vector<std::string> args; // "@" stands for the test folder, "%" for the server
    int exitCode;
    std::string message; // expected within stderr ("out:" prefix: within stdout); "" none at all
    Archive archive = Archive::Unchanged;
    const char* idleTimeoutMs = "5000"; // LOTTO_HTTP_TIMEOUT_MS
};

struct Hostile : ::testing::Test {
    TempDir dir;
    std::string data = dir.path() + "programm";
    std::string archive = data + "/ZahlenAT.dat";
    std::string www = dir.path() + "www/";
    std::string settings = dir.path() + "config/Zerbost/RedidAR.json";
    std::vector<DrawRecord> real = realDraws();
    std::vector<DrawRecord> prepared; // the archive a row expects afterwards (Archive::Prepared)
    std::mt19937 random{4711};
    QProcess server;
    std::string base;

    void SetUp() override {
        fs::create_directories(www + "frame");
        fs::create_directories(www + "tkalnor/lotto");
        fs::create_directories(www + "interactive");
        fs::create_directories(data);
        fs::create_directories(fs::path(settings).parent_path());
        const int port = startPythonServer(
            server, {QStringLiteral("-c"), QString::fromLatin1(kServer), QString::fromStdString(www)});
        if (port == 0) GTEST_SKIP() << "python3 is not available";
        base = "http://127.0.0.1:" + std::to_string(port);
    }
    void TearDown() override {
        server.kill();
        server.waitForFinished(5000);
    }

    std::vector<DrawRecord> until(DayNumber last) const { return drawsUntil(real, last); }
    std::string junk(std::size_t size) {
        std::string bytes(size, '\0');
        for (char& c : bytes)
            c = static_cast<char>(random() & 0xFF);
        return bytes;
    }
    void mode(const std::string& name) { writeBytes(www + ".mode", name); }
    // The page of the last ten real draws, served the way `how` names.
    void lastTenPage(const std::string& how) {
        writeBytes(www + "frame/LO_10rd.html", austrianLastTenPage({real.end() - 10, real.end()}));
        mode(how);
    }

    struct Outcome {
        int exitCode = -1;
        std::string out, err;
        qint64 ms = 0;
    };
    // lotto-cli with the row's arguments; killed (and reported as exit -1) after 30 s.
    Outcome run(const std::vector<std::string>& args, const char* idleTimeoutMs = "5000") {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), QString::fromStdString(dir.path() + "config"));
        env.insert(QStringLiteral("LOTTO_HTTP_TIMEOUT_MS"), QString::fromLatin1(idleTimeoutMs));
        process.setProcessEnvironment(env);
#ifndef __SANITIZE_ADDRESS__
        // Memory that grows without bound ends in a failed allocation, not in a full machine.
        process.setChildProcessModifier([] {
            const rlimit limit{1024UL << 20, 1024UL << 20};
            ::setrlimit(RLIMIT_AS, &limit);
        });
#endif
        QStringList arguments{QStringLiteral("--datadir"), QString::fromStdString(data)};
        for (std::string a : args) {
            if (a.starts_with("@")) a = dir.path() + a.substr(1);
            if (a.starts_with("%")) a = base + a.substr(1);
            arguments << QString::fromStdString(a);
        }
        QElapsedTimer timer;
        timer.start();
        process.start(QString::fromLocal8Bit(qgetenv("LOTTO_CLI")), arguments);
        Outcome outcome;
        if (!process.waitForFinished(30000)) {
            process.kill();
            process.waitForFinished(5000);
        } else if (process.exitStatus() == QProcess::NormalExit) {
            outcome.exitCode = process.exitCode();
        }
        outcome.ms = timer.elapsed();
        outcome.out = process.readAllStandardOutput().toStdString();
        outcome.err = process.readAllStandardError().toStdString();
        return outcome;
    }
};

std::string swissPage(const std::vector<DrawRecord>& newestFirst) {
    std::string page;
    for (const DrawRecord& d : newestFirst) {
        page +=
            "<td class=\"textb\">Ziehung</td>\n<tr>\n<td>So;" + formatShortDate(d.day()) + "</td>\n<tr>\n";
        for (std::size_t i = 0; i < 6; ++i)
            page += "<td class=\"text\">" + std::to_string(d.numbers[i]) + "</td>\n";
        page += "<tr>\n<td class=\"tc1\">" + std::to_string(d.numbers[6]) + "</td>\n";
    }
    return page;
}

} // namespace

TEST_F(Hostile, NothingCrashesHangsOrDamagesTheArchive) {
    const std::string tenMegabytes(10 << 20, '7');
    const std::string huge = "99999999999";
    // A number on a page that does not fit ends the operation, as any failed conversion does.
    const std::string kNoNumber = "lotto-cli: '99999999999' ist kein gültiger ganzzahliger Wert\n";
    const std::vector<std::string> fetchPage{"--no-settings", "fetch", "%/seite.html", "--file",
                                             "@seite.html"};
    const std::vector<std::string> lastTen{"--no-settings", "update", "--source", "austria-last10",
                                           "--server",      "%",      "--file",   "@seite.html"};
    const std::vector<Row> rows{
        // The archive itself.
        {"archive of random bytes",
         [](Hostile& t) { writeBytes(t.archive, t.junk(4099)); },
         {"--no-settings", "stats", "frequency"},
         0,
         "",
         Archive::Unchanged},
        {"archive with a torn last record",
         [](Hostile& t) {
             t.prepared = t.until(dayNumber(2026, 8, 1));
             const auto bytes = DrawArchive::encodeAll(t.prepared);
             writeBytes(t.archive, std::string(bytes.begin(), bytes.end()) + "\x01\x02\x03\x04\x05\x06\x07");
             t.prepared.push_back(draw(2026, 8, 23, {1, 2, 3, 4, 5, 6}, 7, t.prepared.back().numbers[7]));
         },
         {"--no-settings", "add", "23.08.2026", "6", "5", "4", "3", "2", "1", "7"},
         0,
         "",
         Archive::Prepared},
        {"archive with dates out of order",
         [](Hostile& t) {
             auto records = t.until(dayNumber(2026, 8, 1));
             std::swap(records[100], records[records.size() - 1]);
             writeArchive(t.archive, records);
         },
         {"--no-settings", "show", "--date", "01.01.2026"},
         0,
         "",
         Archive::Unchanged},
        // The settings (read by lotto-cli, a second process).
        {"settings of junk",
         [](Hostile& t) { writeBytes(t.settings, t.junk(5000)); },
         {"generate", "--seed", "4711"},
         0,
         "",
         Archive::Unchanged},
        {"settings with every value of the wrong type",
         [](Hostile& t) {
             std::string json = "{";
             for (const SettingEntry& e : SettingsSchema::instance().entries()) {
                 // Bool, Int, String, Date each stored as a type that does not convert to it.
                 static const char* const wrong[] = {
                     R"({"t": "string", "v": "ja"})", R"({"t": "string", "v": "5"})",
                     R"({"t": "int", "v": 3})", R"({"t": "bool", "v": true})"};
                 json +=
                     (json.size() > 1 ? ",\n\"" : "\"") + e.name + "\": " + wrong[static_cast<int>(e.type)];
             }
             writeBytes(t.settings, json + "}");
         },
         {"generate", "--seed", "4711"},
         0,
         "",
         Archive::Unchanged},
        // Tip files.
        {"tip file of binary junk",
         [](Hostile& t) { writeBytes(t.dir.file("t.qtp"), t.junk(3000)); },
         {"--no-settings", "check", "@t.qtp", "--date", "01.01.2026"},
         0,
         "",
         Archive::Unchanged},
        {"tip file with a 10 MB line",
         [&](Hostile& t) { writeBytes(t.dir.file("t.qtp"), tenMegabytes + "\r\n"); },
         {"--no-settings", "check", "@t.qtp", "--date", "01.01.2026"},
         0,
         "",
         Archive::Unchanged},
        {"tip file without line ends",
         [](Hostile& t) { writeBytes(t.dir.file("t.qtp"), "1,2,3,4,5,6,7,8,9,10,11,12"); },
         {"--no-settings", "check", "@t.qtp", "--date", "01.01.2026"},
         0,
         "",
         Archive::Unchanged},
        // Results files on disk.
        {"results file with a 10 MB line",
         [&](Hostile& t) {
             writeBytes(t.dir.file("r.csv"), todayYearFile(2026, t.real) + tenMegabytes + "\r\n");
         },
         {"--no-settings", "import", "@r.csv"},
         0,
         "",
         Archive::AllReal},
        {"results file with NUL bytes and a number 99999999999",
         [&](Hostile& t) {
             std::string file = todayYearFile(2026, t.real);
             file.insert(file.find("\r\n") + 2, std::string("\0\0;\0", 4) + "\r\n");
             file += "23.08.;aufsteigend;1;2;3;4;5;" + huge + ";ZZ;7;6er;0;€;0,00\r\n";
             writeBytes(t.dir.file("r.csv"), file);
         },
         {"--no-settings", "import", "@r.csv"},
         0,
         "",
         Archive::AllReal},
        {"results file of 10 MB without line end",
         [&](Hostile& t) { writeBytes(t.dir.file("r.csv"), tenMegabytes); },
         {"--no-settings", "import", "@r.csv"},
         1,
         "",
         Archive::Unchanged},
        {"results file of 63 MiB of \";\" (within the memory limit)",
         [](Hostile& t) { writeBytes(t.dir.file("r.csv"), std::string(std::size_t{63} << 20, ';')); },
         {"--no-settings", "import", "@r.csv"},
         1,
         "keine Ziehungen in einem bekannten Format",
         Archive::Unchanged},
        // Pages.
        {"last-ten page after a 10 MB line",
         [&](Hostile& t) {
             writeBytes(t.www + "frame/LO_10rd.html",
                        tenMegabytes + "\n" + austrianLastTenPage({t.real.end() - 10, t.real.end()}));
         },
         {"--no-settings", "update", "--source", "austria-last10", "--server", "%", "--file", "@seite.html"},
         0,
         "out:Received",
         Archive::AllReal},
        {"Swiss page with NUL bytes and a number 99999999999",
         [&](Hostile& t) {
             std::vector<DrawRecord> newest(t.real.rbegin(), t.real.rbegin() + 12);
             std::string page = swissPage(newest);
             page.insert(0, std::string("\0\0<td>\0", 7) + "\n");
             page.insert(
                 0,
                 "<td class=\"textb\">Ziehung</td>\n<tr>\n<td>So;23.08.2026</td>\n<tr>\n<td class=\"text\">" +
                     huge + "</td>\n");
             writeBytes(t.www + "tkalnor/lotto/Z2026.shtml", page);
         },
         {"--no-settings", "update", "--source", "switzerland", "--server", "%", "--file", "@seite.html"},
         1,
         kNoNumber,
         Archive::Unchanged},
        {"German page with a number 99999999999",
         [&](Hostile& t) {
             writeBytes(t.www + "interactive/realtime.pl",
                        "<b>Ziehung  am 26.08.26</b>\n<img src=\"lottozahlen/" + huge + ".gif\">\n" +
                            std::string("\0\0\0\n", 4));
         },
         {"--no-settings", "update", "--source", "germany", "--server", "%", "--file", "@seite.html"},
         1,
         kNoNumber,
         Archive::Unchanged},
        {"latest-draw page with NUL bytes, a 10 MB line and 99999999999",
         [&](Hostile& t) {
             writeBytes(t.www + "seite.html", tenMegabytes + "\n" + std::string("\0\0\n", 3) +
                                                  "Ziehung vom Mi., 19.08.26:<br><b>" + huge +
                                                  ",5,6,22,38,40 ZZ:27 SZ: 4</b>\n");
         },
         {"--no-settings", "latest", "--url", "%/seite.html"},
         1,
         kNoNumber,
         Archive::Unchanged},
        // Servers that misbehave.
        {"endless header", [](Hostile& t) { t.mode("endless-header"); }, fetchPage, 1,
         "out:Failed : 4 HTTP header too long", Archive::Unchanged},
        {"endless body", [](Hostile& t) { t.mode("endless-body"); }, fetchPage, 1, "out:Failed",
         Archive::Unchanged},
        {"endless body during an update",
         [](Hostile& t) { t.mode("endless-body"); },
         {"--no-settings", "update", "--source", "switzerland", "--server", "%", "--file", "@seite.html"},
         1,
         "out:Failed",
         Archive::Unchanged},
        {"close in the middle of the header", [](Hostile& t) { t.mode("mid-header"); }, fetchPage, 1,
         "out:Failed : 404 Verbindung mitten im Antwortkopf geschlossen", Archive::Unchanged},
        {"one byte a second", [](Hostile& t) { t.mode("trickle"); }, fetchPage, 1,
         "out:Failed : 404 Zeitüberschreitung", Archive::Unchanged, "500"},
        {"body cut short", [](Hostile& t) { t.lastTenPage("cut"); }, lastTen, 1,
         "out:Failed : 404 Antwort unvollständig", Archive::Unchanged},
        {"reset in the middle of the body", [](Hostile& t) { t.lastTenPage("reset"); }, lastTen, 1,
         "out:Failed : 404 Antwort unvollständig", Archive::Unchanged},
        {"chunked body without its last chunk", [](Hostile& t) { t.lastTenPage("chunked-cut"); }, lastTen, 1,
         "out:Failed : 404 Antwort unvollständig: letzter Chunk fehlt", Archive::Unchanged},
        {"chunked body", [](Hostile& t) { t.lastTenPage("chunked"); }, lastTen, 0, "out:Received",
         Archive::AllReal},
    };

    writeArchive(archive, until(dayNumber(2026, 8, 1)));
    const auto defaults = run({"--no-settings", "generate", "--seed", "4711"});
    ASSERT_EQ(defaults.exitCode, 0) << defaults.err;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        fs::remove(www + ".mode");
        fs::remove(settings);
        writeArchive(archive, until(dayNumber(2026, 8, 1)));
        row.prepare(*this);
        const std::string before = readWholeFile(archive);
        const Outcome r = run(row.args, row.idleTimeoutMs);
        std::cout << row.name << ": " << r.ms << " ms\n";
        EXPECT_EQ(r.exitCode, row.exitCode) << r.err << r.out.substr(0, 500);
        if (row.message.starts_with("out:"))
            EXPECT_NE(r.out.find(row.message.substr(4)), std::string::npos) << r.out.substr(0, 500);
        else if (row.message.empty() && row.exitCode == 0)
            EXPECT_EQ(r.err, "");
        else
            EXPECT_NE(r.err.find(row.message), std::string::npos) << r.err;
        if (row.exitCode != 0) {
            EXPECT_NE(r.err + r.out, "");
        }
        EXPECT_LT(r.ms, 20000);
        if (row.args[0] == "generate") {
            EXPECT_EQ(r.out, defaults.out); // every stored value ignored
        }
        switch (row.archive) {
        case Archive::Unchanged:
            EXPECT_EQ(readWholeFile(archive), before);
            break;
        case Archive::AllReal:
            EXPECT_EQ(DrawArchive(archive).readAll(), real);
            break;
        case Archive::Prepared:
            EXPECT_EQ(DrawArchive(archive).readAll(), prepared);
            break;
        }
    }
}
