// The client against real peers from Debian's packages, started on 127.0.0.1: python3's
// http.server (plain and TLS-wrapped with the test authority's certificate) and tinyproxy.
#include "HttpClient/HttpClient.h"
#include "core/TestSupport.h"
#include "core/import/HttpGet.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSslCertificate>
#include <QSslSocket>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <memory>

using namespace lotto;

namespace {

const QString tlsDir = QString::fromStdString(lotto::test::sourcePath("tests/data/tls/"));

quint16 freePort() {
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    return server.serverPort();
}

// A program listening on 127.0.0.1:port for the lifetime of the object.
class Peer {
public:
    Peer(const QString& program, const QStringList& arguments, quint16 port) : m_port(port) {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(program, arguments);
        const QDeadlineTimer deadline(10000);
        while (!deadline.hasExpired() && m_process.state() != QProcess::NotRunning) {
            QTcpSocket probe;
            probe.connectToHost(QHostAddress::LocalHost, port);
            if (probe.waitForConnected(200)) {
                m_ready = true;
                return;
            }
            QThread::msleep(50);
        }
    }
    ~Peer() {
        m_process.kill();
        m_process.waitForFinished();
    }
    bool ready() const { return m_ready; }
    quint16 port() const { return m_port; }

private:
    QProcess m_process;
    quint16 m_port;
    bool m_ready = false;
};

QString python() {
    return QStandardPaths::findExecutable(QStringLiteral("python3"));
}

// Serves dir over HTTP, or over TLS with the test authority's server certificate.
std::unique_ptr<Peer> startServer(const QString& dir, bool tls) {
    const quint16 port = freePort();
    const QString script =
        QStringLiteral("import functools, http.server, ssl, sys\n"
                       "port, directory, tls = int(sys.argv[1]), sys.argv[2], sys.argv[3] == '1'\n"
                       "class Quiet(http.server.SimpleHTTPRequestHandler):\n"
                       "    def log_message(self, *args): pass\n"
                       "handler = functools.partial(Quiet, directory=directory)\n"
                       "server = http.server.HTTPServer(('127.0.0.1', port), handler)\n"
                       "if tls:\n"
                       "    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)\n"
                       "    context.load_cert_chain(sys.argv[4] + 'server.pem', sys.argv[4] + 'server.key')\n"
                       "    server.socket = context.wrap_socket(server.socket, server_side=True)\n"
                       "server.serve_forever()\n");
    return std::make_unique<Peer>(python(),
                                  QStringList{QStringLiteral("-c"), script, QString::number(port), dir,
                                              tls ? QStringLiteral("1") : QStringLiteral("0"), tlsDir},
                                  port);
}

struct Served {
    QTemporaryDir dir;
    QByteArray content = "Ziehung;1;2;3;4;5;6;7\r\n\xe4\x00\xff end";
    Served() {
        QFile file(dir.filePath(QStringLiteral("2001.csv")));
        file.open(QIODevice::WriteOnly);
        file.write(content);
    }
};

// tinyproxy on 127.0.0.1 with its configuration in dir; null when it is not installed.
std::unique_ptr<Peer> startTinyproxy(const QTemporaryDir& dir) {
    const QString tinyproxy = QStandardPaths::findExecutable(QStringLiteral("tinyproxy"));
    if (tinyproxy.isEmpty()) return nullptr;
    const quint16 port = freePort();
    QFile config(dir.filePath(QStringLiteral("tinyproxy.conf")));
    if (!config.open(QIODevice::WriteOnly)) return nullptr;
    config.write(QStringLiteral("Port %1\nListen 127.0.0.1\nTimeout 30\nAllow 127.0.0.1\nMaxClients 4\n"
                                "LogLevel Error\n")
                     .arg(port)
                     .toLatin1());
    config.close();
    return std::make_unique<Peer>(
        tinyproxy, QStringList{QStringLiteral("-d"), QStringLiteral("-c"), config.fileName()}, port);
}

QByteArray fetch(HttpClient& client, const QString& url, std::optional<HttpException>* error = nullptr) {
    QByteArray body;
    client.setUrl(url);
    client.setBodyWriter(
        [&body](const char* data, std::size_t size) { body.append(data, static_cast<qsizetype>(size)); });
    try {
        client.get();
    } catch (const HttpException& e) {
        if (!error) throw;
        *error = e;
    }
    return body;
}

} // namespace

TEST(RealPeers, HttpServerDirectAndThroughTinyproxy) {
    if (python().isEmpty()) GTEST_SKIP() << "python3 is not installed";
    Served served;
    const auto server = startServer(served.dir.path(), false);
    ASSERT_TRUE(server->ready());
    const QString url = QStringLiteral("http://127.0.0.1:%1/2001.csv").arg(server->port());

    HttpClient client;
    EXPECT_EQ(fetch(client, url), served.content);
    EXPECT_EQ(client.statusCode(), 200);
    EXPECT_EQ(client.contentLength(), served.content.size());
    std::optional<HttpException> missing;
    fetch(client, QStringLiteral("http://127.0.0.1:%1/1985.csv").arg(server->port()), &missing);
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->code(), 404);
    EXPECT_STREQ(missing->what(), "File not found");

    QTemporaryDir proxyDir;
    const auto proxy = startTinyproxy(proxyDir);
    if (!proxy) GTEST_SKIP() << "tinyproxy is not installed (Debian package tinyproxy)";
    ASSERT_TRUE(proxy->ready());
    client.setProxy(QStringLiteral("127.0.0.1"));
    client.setProxyPort(QString::number(proxy->port()));
    EXPECT_EQ(fetch(client, url), served.content);
    EXPECT_EQ(client.statusCode(), 200);
}

TEST(RealPeers, HttpsWithTrustedAndUntrustedAuthority) {
    if (python().isEmpty()) GTEST_SKIP() << "python3 is not installed";
    ASSERT_TRUE(QSslSocket::supportsSsl()) << "Qt has no TLS backend";
    Served served;
    const auto server = startServer(served.dir.path(), true);
    ASSERT_TRUE(server->ready());
    const QString url = QStringLiteral("https://localhost:%1/2001.csv").arg(server->port());

    HttpClient untrusting;
    std::optional<HttpException> refused;
    EXPECT_EQ(fetch(untrusting, url, &refused), "");
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->code(), 404);
    EXPECT_STREQ(refused->what(),
                 "TLS: The issuer certificate of a locally looked up certificate could not be found; "
                 "No certificates could be verified");

    HttpClient trusting;
    trusting.addCaCertificates(QSslCertificate::fromPath(tlsDir + QStringLiteral("ca.pem")));
    EXPECT_EQ(fetch(trusting, url), served.content);
    EXPECT_EQ(trusting.statusCode(), 200);
}

// https through a proxy: CONNECT, then TLS with the origin's certificate checked as on a
// direct connection.
TEST(RealPeers, HttpsThroughTinyproxyTunnel) {
    if (python().isEmpty()) GTEST_SKIP() << "python3 is not installed";
    Served served;
    const auto server = startServer(served.dir.path(), true);
    ASSERT_TRUE(server->ready());
    QTemporaryDir proxyDir;
    const auto proxy = startTinyproxy(proxyDir);
    if (!proxy) GTEST_SKIP() << "tinyproxy is not installed (Debian package tinyproxy)";
    ASSERT_TRUE(proxy->ready());
    const QString url = QStringLiteral("https://localhost:%1/2001.csv").arg(server->port());

    HttpClient trusting;
    trusting.addCaCertificates(QSslCertificate::fromPath(tlsDir + QStringLiteral("ca.pem")));
    trusting.setProxy(QStringLiteral("127.0.0.1"));
    trusting.setProxyPort(QString::number(proxy->port()));
    EXPECT_EQ(fetch(trusting, url), served.content);
    EXPECT_EQ(trusting.statusCode(), 200);

    HttpClient untrusting;
    untrusting.setProxy(QStringLiteral("127.0.0.1"));
    untrusting.setProxyPort(QString::number(proxy->port()));
    std::optional<HttpException> refused;
    EXPECT_EQ(fetch(untrusting, url, &refused), "");
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->code(), 404);
    EXPECT_TRUE(QByteArray(refused->what()).startsWith("TLS: ")) << refused->what();
}
