#pragma once

#include "HttpClient/HttpRequest.h"
#include "HttpClient/ResponseParser.h"

#include <QAbstractSocket>
#include <QDateTime>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSslCertificate>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>

class QTcpSocket;

namespace lotto {

// The WinSock number the client reports for a Qt socket error (10061 for a refused
// connection); -1 where the table has no counterpart.
int socketErrorNumber(QAbstractSocket::SocketError error);

// The HTTP/1.0 client: one connection per request, directly or through a proxy, "https"
// over TLS with full certificate checks. get() blocks but keeps the event loop running,
// so the window repaints and its buttons work while a page arrives. Requests that fail
// end with HttpException (core/import/HttpGet.h): the server's status and reason for a
// status of 400 or more, 404 and a reason for anything that kept a response from
// arriving (name lookup, connect, TLS, time-out, too many redirects, oversized body) or
// cut it short (less than its Content-Length, a chunked body without its last chunk).
// "https" through a proxy goes through a CONNECT tunnel, verified as on a direct connection.
class HttpClient : public QObject {
    Q_OBJECT

public:
    enum class State {
        Ready = 0,
        NotConnected = 1,
        Connected = 2,
        NameLookup = 3,
        NameLookupDone = 4,
        WaitingForHeader = 5,
        WaitingForBody = 6,
        Aborting = 7
    };
    Q_ENUM(State)

    static constexpr int maxRedirects = 10;
    static constexpr std::int64_t maxBodySize = 64 * 1024 * 1024;
    static constexpr int defaultIdleTimeoutMs = 30000;
    // However the data trickle in, one request (redirects included) ends after this long.
    static constexpr int defaultTotalTimeoutMs = 10 * 60 * 1000;

    explicit HttpClient(QObject* parent = nullptr);
    ~HttpClient() override;

    // The blocking GET. Throws HttpException, or whatever the body writer threw.
    void get();

    void setUrl(const QString& url) { m_url = url; }
    QString url() const { return m_url; }
    void setProxy(const QString& proxy) { m_proxy = proxy; }
    QString proxy() const { return m_proxy; }
    void setProxyPort(const QString& port) { m_proxyPort = port; }
    QString proxyPort() const { return m_proxyPort; }
    void setAgent(const QString& agent) { m_agent = agent; }
    QString agent() const { return m_agent; }
    void setAccept(const QString& accept) { m_accept = accept; }
    QString accept() const { return m_accept; }
    void setReference(const QString& reference) { m_reference = reference; }
    void setSender(const QString& sender) { m_sender = sender; }
    void setUsername(const QString& username) { m_username = username; }
    void setPassword(const QString& password) { m_password = password; }
    void setProxyUsername(const QString& username) { m_proxyUsername = username; }
    void setProxyPassword(const QString& password) { m_proxyPassword = password; }
    void setNoCache(bool noCache) { m_noCache = noCache; }
    // An invalid date-time sends no If-Modified-Since.
    void setModifiedSince(const QDateTime& time) { m_modifiedSince = time; }
    void setCookie(const QString& cookie) { m_cookie = cookie; }
    // Sent as a Range header with the next request, then cleared; a content-range in the
    // response sets them again.
    void setContentRangeBegin(const QString& begin) { m_rangeBegin = begin; }
    void setContentRangeEnd(const QString& end) { m_rangeEnd = end; }
    QString contentRangeBegin() const { return m_rangeBegin; }
    QString contentRangeEnd() const { return m_rangeEnd; }

    // Where the body goes, piece by piece (instead of a receive stream). An exception it
    // throws aborts the request and leaves get() unchanged.
    void setBodyWriter(std::function<void(const char*, std::size_t)> writer) { m_writer = std::move(writer); }
    // A request that receives nothing for this long fails.
    void setIdleTimeout(int milliseconds) { m_idleTimeoutMs = milliseconds; }
    void setTotalTimeout(int milliseconds) { m_totalTimeoutMs = milliseconds; }
    // Certificate authorities trusted besides the system's.
    void addCaCertificates(const QList<QSslCertificate>& certificates) { m_caCertificates += certificates; }

    State state() const { return m_state; }
    int statusCode() const { return m_statusCode; }
    QString reasonPhrase() const { return m_reason; }
    std::int64_t contentLength() const { return m_parser.head().contentLength; }
    QString contentType() const;
    QString acceptRanges() const { return m_acceptRanges; }
    QString documentName() const { return m_documentName; }
    std::int64_t bytesReceived() const { return m_bytesReceived; }
    QStringList headerLines() const;
    QStringList wwwAuthenticate() const;

Q_SIGNALS:
    void stateChanged(lotto::HttpClient::State state);
    void sessionConnected();
    void headerBegin();
    void headerData(const QByteArray& line);
    void headerEnd();
    void locationChange(const QString& target);
    void documentBegin();
    void documentData(const QByteArray& piece);
    void documentEnd();
    void requestDone(int statusCode);

private:
    void setState(State state);
    void startLookup();
    void lookupDone(const QList<QHostAddress>& addresses);
    void connected();
    void openTunnel();
    void readTunnelAnswer();
    void resetResponse();
    void readAvailable();
    void socketError(QAbstractSocket::SocketError error);
    void remoteClosed();
    void handleStep(ResponseParser::Step step);
    void connectionEnded();
    void fail(int code, const QString& reason);
    void closeSocket();
    void restartIdleTimer();

    // The parser's events, passed on as signals.
    class Listener : public ResponseListener {
    public:
        explicit Listener(HttpClient& client) : m_client(client) {}
        void headerBegin() override;
        void headerLine(const std::string& line) override;
        void headerEnd() override;
        void bodyPiece(const char* data, std::size_t size) override;

    private:
        HttpClient& m_client;
    };

    QString m_url, m_proxy, m_proxyPort = QStringLiteral("80");
    QString m_agent, m_accept, m_reference, m_sender, m_username, m_password;
    QString m_proxyUsername, m_proxyPassword, m_cookie, m_rangeBegin, m_rangeEnd;
    bool m_noCache = false;
    QDateTime m_modifiedSince;
    std::function<void(const char*, std::size_t)> m_writer;
    int m_idleTimeoutMs = defaultIdleTimeoutMs;
    int m_totalTimeoutMs = defaultTotalTimeoutMs;
    QList<QSslCertificate> m_caCertificates;

    State m_state = State::Ready;
    Listener m_listener{*this};
    RequestPlan m_plan;
    RequestHeaders m_headers;
    ResponseParser m_parser;
    int m_statusCode = 0;
    QString m_reason;
    QString m_acceptRanges;
    QString m_documentName;
    std::int64_t m_bytesReceived = 0;
    int m_redirects = 0;
    int m_lookupId = -1;
    int m_attempt = 0; // lets a late name lookup of an ended request go unheard
    bool m_failed = false;
    bool m_documentBegun = false;
    bool m_awaitingTunnel = false; // CONNECT sent, the proxy's answer not yet complete
    QByteArray m_tunnelAnswer;
    std::exception_ptr m_writerError;
    QPointer<QTcpSocket> m_socket;
    QTimer m_idleTimer;
    QTimer m_totalTimer;
};

} // namespace lotto
