// The client against a scripted server on 127.0.0.1.
#include "HttpClient/HttpClient.h"
#include "HttpClient/HttpClientGet.h"
#include "ScriptedServer.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <optional>

using namespace lotto;

namespace {

struct Fetch {
    std::optional<HttpException> error;
    QByteArray body;
};

Fetch fetch(HttpClient& client, const QByteArray& url) {
    Fetch result;
    client.setUrl(QString::fromLatin1(url));
    client.setBodyWriter([&result](const char* data, std::size_t size) {
        result.body.append(data, static_cast<qsizetype>(size));
    });
    try {
        client.get();
    } catch (const HttpException& e) {
        result.error = e;
    }
    return result;
}

const QByteArray ok = "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\nhello";

} // namespace

TEST(HttpClient, DirectRequestByteForByte) {
    ScriptedServer server(ok);
    HttpClient client;
    client.setSender(QStringLiteral("joe@example.com"));
    client.setAccept(QStringLiteral("*/*"));
    client.setReference(QStringLiteral("http://ref.example/"));
    client.setAgent(QStringLiteral("Mozilla/3.0 (compatible)"));
    client.setNoCache(true);
    client.setModifiedSince(QDateTime(QDate(2024, 3, 5), QTime(7, 8, 9), Qt::UTC));
    client.setUsername(QStringLiteral("joe"));
    client.setPassword(QStringLiteral("secret"));
    client.setProxyUsername(QStringLiteral("px"));
    client.setCookie(QStringLiteral("a=b"));
    client.setContentRangeBegin(QStringLiteral("10"));
    const Fetch result = fetch(client, server.url("/dir/file.csv?y=1"));
    ASSERT_FALSE(result.error);
    EXPECT_EQ(result.body, "hello");
    EXPECT_EQ(client.statusCode(), 200);
    EXPECT_EQ(client.reasonPhrase(), "OK");
    EXPECT_EQ(client.contentType(), "text/plain");
    EXPECT_EQ(client.bytesReceived(), 5);
    EXPECT_EQ(client.documentName(), "file.csv");
    ASSERT_EQ(server.requests.size(), 1);
    EXPECT_EQ(server.requests[0], "GET /dir/file.csv?y=1 HTTP/1.0\r\n"
                                  "From: joe@example.com\r\n"
                                  "Accept: */*\r\n"
                                  "Referer: http://ref.example/\r\n"
                                  "User-Agent: Mozilla/3.0 (compatible)\r\n"
                                  "Host: 127.0.0.1\r\n"
                                  "Pragma: no-cache\r\n"
                                  "If-Modified-Since: Tue, 05 Mar 2024 07:08:09 GMT\r\n"
                                  "Authorization: Basic am9lOnNlY3JldA==\r\n"
                                  "Cookie: a=b\r\n"
                                  "Range: bytes=10-\r\n"
                                  "\r\n");
    EXPECT_EQ(client.contentRangeBegin(), ""); // sent once
}

TEST(HttpClient, ThroughProxy) {
    ScriptedServer proxy(ok);
    HttpClient client;
    client.setProxy(QStringLiteral("127.0.0.1"));
    client.setProxyPort(QString::number(proxy.port()));
    client.setProxyUsername(QStringLiteral("px"));
    client.setProxyPassword(QStringLiteral("pw"));
    ASSERT_FALSE(fetch(client, "http://joe:pw@origin.invalid:8080/a.txt").error);
    // The proxy's own port wins over ProxyPort.
    client.setProxy(QStringLiteral("http://127.0.0.1:") + QString::number(proxy.port()));
    client.setProxyPort(QStringLiteral("1"));
    client.setProxyUsername({});
    ASSERT_FALSE(fetch(client, "origin.invalid").error);
    ASSERT_EQ(proxy.requests.size(), 2);
    EXPECT_EQ(proxy.requests[0], "GET http://origin.invalid:8080/a.txt HTTP/1.0\r\n"
                                 "Host: origin.invalid\r\n"
                                 "Authorization: Basic am9lOnB3\r\n"
                                 "Proxy-Authorization: Basic cHg6cHc=\r\n"
                                 "\r\n");
    EXPECT_TRUE(
        proxy.requests[1].startsWith("GET http://origin.invalid HTTP/1.0\r\nHost: origin.invalid\r\n"));
}

TEST(HttpClient, UrlWithoutPath) {
    ScriptedServer server(ok);
    HttpClient client;
    ASSERT_FALSE(fetch(client, server.url("")).error);
    EXPECT_TRUE(server.requests.value(0).startsWith("GET / HTTP/1.0\r\n"));
    EXPECT_EQ(client.documentName(), "document.htm");
}

TEST(HttpClient, HtmlWithoutHeaderStoredWhole) {
    const QByteArray page = "<html>\r\n<body>\n1;2;3\r\n</body></html>";
    ScriptedServer server(page);
    HttpClient client;
    const Fetch result = fetch(client, server.url("/tool.exe"));
    ASSERT_FALSE(result.error);
    EXPECT_EQ(result.body, page);
    EXPECT_EQ(client.statusCode(), 0);
    EXPECT_EQ(client.contentType(), "text/html");
    EXPECT_EQ(client.documentName(), "tool.htm");
}

TEST(HttpClient, ErrorStatusStoresNoBody) {
    // 400 is the first status that fails.
    ScriptedServer server(
        "HTTP/1.1 400 Falsche Anfrage\r\nContent-Type: text/html\r\n\r\n<html>missing</html>");
    HttpClient client;
    const Fetch result = fetch(client, server.url("/2099.csv"));
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->code(), 400);
    EXPECT_TRUE(result.error->fromServer());
    EXPECT_STREQ(result.error->what(), "Falsche Anfrage");
    EXPECT_EQ(result.body, "");
    EXPECT_EQ(client.state(), HttpClient::State::Ready);
}

TEST(HttpClient, HeaderLineTooLong) {
    ScriptedServer server("HTTP/1.0 200 OK\r\nX-Long: " + QByteArray(8192 - 8, 'x') + "\r\n\r\nbody");
    HttpClient client;
    const Fetch result = fetch(client, server.url());
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->code(), 4);
    EXPECT_STREQ(result.error->what(), "HTTP line too long");
}

TEST(HttpClient, RedirectsFollowed) {
    ScriptedServer target(ok);
    ScriptedServer server([&target](int index, const QByteArray&) -> std::optional<QByteArray> {
        if (index == 0) return "HTTP/1.0 302 Found\r\nLocation: /moved.csv\r\n\r\nignored";
        return "HTTP/1.0 301 Moved\r\nLocation: " + target.url("/final.csv") + "\r\n\r\n";
    });
    HttpClient client;
    QStringList locations;
    QObject::connect(&client, &HttpClient::locationChange,
                     [&locations](const QString& to) { locations << to; });
    const Fetch result = fetch(client, server.url("/first.csv"));
    ASSERT_FALSE(result.error);
    EXPECT_EQ(result.body, "hello");
    EXPECT_EQ(locations, QStringList({"/moved.csv", "/final.csv"}));
    ASSERT_EQ(server.requests.size(), 2);
    EXPECT_TRUE(server.requests[1].startsWith("GET /moved.csv HTTP/1.0\r\n"));
    EXPECT_TRUE(target.requests.value(0).startsWith("GET /final.csv HTTP/1.0\r\n"));
}

TEST(HttpClient, RedirectLoopStopped) {
    ScriptedServer server("HTTP/1.0 302 Found\r\nLocation: /again\r\n\r\n");
    HttpClient client;
    const Fetch result = fetch(client, server.url());
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->code(), 404);
    EXPECT_STREQ(result.error->what(), "zu viele Weiterleitungen");
    EXPECT_EQ(server.requests.size(), 1 + HttpClient::maxRedirects);
}

TEST(HttpClient, SilentServerTimesOut) {
    ScriptedServer server([](int, const QByteArray&) { return std::nullopt; });
    HttpClient client;
    client.setIdleTimeout(200);
    const Fetch result = fetch(client, server.url());
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->code(), 404);
    EXPECT_STREQ(result.error->what(), "Zeitüberschreitung: keine Daten seit 200 ms");
}

TEST(HttpClient, OverallDeadlineEndsAnyRequest) {
    ScriptedServer server([](int, const QByteArray&) { return std::nullopt; });
    HttpClient client;
    client.setIdleTimeout(5000);
    client.setTotalTimeout(200);
    const Fetch result = fetch(client, server.url());
    ASSERT_TRUE(result.error);
    EXPECT_STREQ(result.error->what(), "Zeitüberschreitung: Abruf länger als 200 ms");
}

TEST(HttpClient, SecondRequestWhileBusy) {
    ScriptedServer server(ok);
    HttpClient client;
    std::optional<HttpException> second;
    QTimer::singleShot(0, [&] {
        try {
            client.get();
        } catch (const HttpException& e) {
            second = e;
        }
    });
    EXPECT_FALSE(fetch(client, server.url()).error);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->code(), 1);
    EXPECT_STREQ(second->what(), "HTTP component is busy");
}

TEST(HttpClient, BodyLargerThanLimit) {
    ScriptedServer server("HTTP/1.0 200 OK\r\n\r\n" + QByteArray(HttpClient::maxBodySize + 1, 'x'));
    HttpClient client;
    const Fetch result = fetch(client, server.url());
    ASSERT_TRUE(result.error);
    EXPECT_STREQ(result.error->what(), "Antwort größer als 64 MiB");
    EXPECT_LE(result.body.size(), HttpClient::maxBodySize);
}

TEST(HttpClient, LookupAndConnectFailures) {
    HttpClient client;
    const Fetch unresolved = fetch(client, "http://no-such-host.invalid/");
    ASSERT_TRUE(unresolved.error);
    EXPECT_EQ(unresolved.error->code(), 404);
    EXPECT_STREQ(unresolved.error->what(), "can't resolve hostname to IP address");

    quint16 port = 0;
    {
        QTcpServer closed;
        closed.listen(QHostAddress::LocalHost);
        port = closed.serverPort();
    }
    const Fetch refused = fetch(client, "http://127.0.0.1:" + QByteArray::number(port) + "/");
    ASSERT_TRUE(refused.error);
    EXPECT_EQ(refused.error->code(), 404);
    EXPECT_FALSE(refused.error->fromServer()); // the same code, but no answer
    EXPECT_STREQ(refused.error->what(), "Connection refused (Error #10061)");

    const Fetch badPort = fetch(client, "http://127.0.0.1:99999/");
    ASSERT_TRUE(badPort.error);
    EXPECT_STREQ(badPort.error->what(), "can't connect: Invalid argument (Error #10022)");
}

TEST(HttpClient, ClosedWithoutResponseFails) {
    ScriptedServer server(QByteArray(""));
    HttpClient client;
    const Fetch result = fetch(client, server.url());
    ASSERT_TRUE(result.error);
    EXPECT_STREQ(result.error->what(), "Verbindung vor der Antwort geschlossen");
}

TEST(HttpClient, BodyCutShortOrResetFails) {
    const QByteArray head = "HTTP/1.0 200 OK\r\nContent-Length: 10\r\n\r\n";
    ScriptedServer whole(head + "0123456789tail");
    HttpClient client;
    Fetch result = fetch(client, whole.url());
    ASSERT_FALSE(result.error);
    EXPECT_EQ(result.body, "0123456789"); // nothing beyond the declared length

    ScriptedServer cut(head + "0123");
    result = fetch(client, cut.url());
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->code(), 404);
    EXPECT_STREQ(result.error->what(), "Antwort unvollständig: 4 von 10 Bytes");

    ScriptedServer reset(head + "01234");
    reset.resetAfter = true;
    result = fetch(client, reset.url());
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->code(), 404);
    EXPECT_STREQ(result.error->what(), "Antwort unvollständig: 5 von 10 Bytes");
}

TEST(HttpClient, ChunkedBodyDecodedOrRefused) {
    const QByteArray head = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
    ScriptedServer chunked(head + "5\r\n1;2;3\r\n9;ext=1\r\n;4;5;6;7\n\r\n0\r\nX-Trailer: y\r\n\r\n");
    chunked.keepOpen = true; // the last chunk ends the page, not the close
    HttpClient client;
    client.setIdleTimeout(2000);
    Fetch result = fetch(client, chunked.url());
    ASSERT_FALSE(result.error);
    EXPECT_EQ(result.body, "1;2;3;4;5;6;7\n");
    EXPECT_EQ(client.bytesReceived(), 14);

    ScriptedServer noLastChunk(head + "5\r\n1;2;3\r\n");
    result = fetch(client, noLastChunk.url());
    ASSERT_TRUE(result.error);
    EXPECT_STREQ(result.error->what(), "Antwort unvollständig: letzter Chunk fehlt");

    ScriptedServer gzip("HTTP/1.1 200 OK\r\nTransfer-Encoding: gzip\r\n\r\n\x1f\x8b");
    result = fetch(client, gzip.url());
    ASSERT_TRUE(result.error);
    EXPECT_STREQ(result.error->what(), "Transfer-Encoding wird nicht unterstützt");
}

// The TLS handshake after a redirect fails; neither the rest of that request nor the next
// one may follow the old response's location again.
TEST(HttpClient, RedirectToFailingTlsLeavesNoStateBehind) {
    QTcpServer notTls; // closes every connection at once
    notTls.listen(QHostAddress::LocalHost);
    QObject::connect(&notTls, &QTcpServer::newConnection, [&notTls] {
        while (QTcpSocket* socket = notTls.nextPendingConnection())
            socket->close();
    });
    ScriptedServer redirect("HTTP/1.0 302 Found\r\nLocation: https://127.0.0.1:" +
                            QByteArray::number(notTls.serverPort()) + "/x\r\n\r\n");
    ScriptedServer good(ok);
    HttpClient client;
    const Fetch failed = fetch(client, redirect.url());
    ASSERT_TRUE(failed.error);
    EXPECT_STREQ(failed.error->what(), "Verbindung vor der Antwort geschlossen");
    EXPECT_EQ(redirect.requests.size(), 1);
    const Fetch next = fetch(client, good.url());
    ASSERT_FALSE(next.error) << next.error->what();
    EXPECT_EQ(next.body, "hello");
    EXPECT_EQ(redirect.requests.size(), 1);
}

TEST(HttpClient, HttpsThroughProxyAsksForATunnel) {
    ScriptedServer proxy(QByteArray("HTTP/1.0 407 Proxy Authentication Required\r\n\r\n"));
    HttpClient client;
    client.setAgent(QStringLiteral("Mozilla/3.0 (compatible)"));
    client.setProxy(QStringLiteral("127.0.0.1"));
    client.setProxyPort(QString::number(proxy.port()));
    client.setProxyUsername(QStringLiteral("px"));
    client.setProxyPassword(QStringLiteral("pw"));
    const Fetch result = fetch(client, "https://statics.example/media/a.csv");
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->code(), 407);
    EXPECT_STREQ(result.error->what(), "Proxy Authentication Required");
    EXPECT_EQ(proxy.requests.value(0), "CONNECT statics.example:443 HTTP/1.0\r\n"
                                       "User-Agent: Mozilla/3.0 (compatible)\r\n"
                                       "Host: statics.example:443\r\n"
                                       "Proxy-Authorization: Basic cHg6cHc=\r\n"
                                       "\r\n");
}

namespace {

struct StringSink : ByteSink {
    std::string bytes;
    void write(const char* data, std::size_t size) override { bytes.append(data, size); }
};

} // namespace

TEST(HttpClientGet, DownloadDriverSettingsAndSink) {
    ScriptedServer server([](int index, const QByteArray&) -> std::optional<QByteArray> {
        if (index == 0) return ok;
        return std::nullopt;
    });
    qputenv("LOTTO_HTTP_TIMEOUT_MS", "150");
    HttpClientGet http;
    qunsetenv("LOTTO_HTTP_TIMEOUT_MS");
    StringSink sink;
    http.get({server.url("/x").toStdString(), "", "80"}, sink);
    EXPECT_EQ(sink.bytes, "hello");
    EXPECT_EQ(server.requests.value(0), "GET /x HTTP/1.0\r\n"
                                        "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*\r\n"
                                        "User-Agent: Mozilla/3.0 (compatible)\r\n"
                                        "Host: 127.0.0.1\r\n"
                                        "\r\n");
    try {
        http.get({server.url("/y").toStdString(), "", "80"}, sink);
        FAIL() << "no time-out";
    } catch (const HttpException& e) {
        EXPECT_STREQ(e.what(), "Zeitüberschreitung: keine Daten seit 150 ms");
    }
}
