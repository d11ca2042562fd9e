#include "HttpClient/HttpClient.h"

#include "HttpClient/SocketErrors.h"
#include "core/import/HttpGet.h"

#include <QEventLoop>
#include <QHostInfo>
#include <QNetworkProxy>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QTcpSocket>

#include <chrono>
#include <utility>

namespace lotto {

namespace {

QString latin1(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string bytes(const QString& text) {
    return text.toUtf8().toStdString();
}

QString withNumber(int number) {
    return QString::fromStdString(socketErrorText(number)) + QStringLiteral(" (Error #%1)").arg(number);
}

QString duration(int milliseconds) {
    return milliseconds % 1000 == 0 ? QStringLiteral("%1 s").arg(milliseconds / 1000)
                                    : QStringLiteral("%1 ms").arg(milliseconds);
}

} // namespace

int socketErrorNumber(QAbstractSocket::SocketError error) {
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return 10061;
    case QAbstractSocket::RemoteHostClosedError:
        return 10053;
    case QAbstractSocket::HostNotFoundError:
        return 11001;
    case QAbstractSocket::SocketAccessError:
        return 10013;
    case QAbstractSocket::SocketResourceError:
        return 10024;
    case QAbstractSocket::SocketTimeoutError:
        return 10060;
    case QAbstractSocket::DatagramTooLargeError:
        return 10040;
    case QAbstractSocket::NetworkError:
        return 10051;
    case QAbstractSocket::AddressInUseError:
        return 10048;
    case QAbstractSocket::SocketAddressNotAvailableError:
        return 10049;
    case QAbstractSocket::UnsupportedSocketOperationError:
        return 10045;
    case QAbstractSocket::UnfinishedSocketOperationError:
        return 10036;
    case QAbstractSocket::TemporaryError:
        return 10035;
    case QAbstractSocket::OperationError:
        return 10037;
    default:
        return -1;
    }
}

HttpClient::HttpClient(QObject* parent) : QObject(parent) {
    m_idleTimer.setSingleShot(true);
    connect(&m_idleTimer, &QTimer::timeout, this, [this] {
        fail(404, QStringLiteral("Zeitüberschreitung: keine Daten seit ") + duration(m_idleTimeoutMs));
    });
    m_totalTimer.setSingleShot(true);
    connect(&m_totalTimer, &QTimer::timeout, this, [this] {
        fail(404, QStringLiteral("Zeitüberschreitung: Abruf länger als ") + duration(m_totalTimeoutMs));
    });
}

HttpClient::~HttpClient() {
    if (m_lookupId >= 0) QHostInfo::abortHostLookup(m_lookupId);
    closeSocket();
}

void HttpClient::get() {
    if (m_state != State::Ready) throw HttpException(1, "HTTP component is busy");

    resetResponse();
    m_acceptRanges.clear();
    m_redirects = 0;
    m_failed = false;
    m_writerError = nullptr;
    setState(State::NotConnected);

    m_plan = planRequest(bytes(m_url), bytes(m_proxy), bytes(m_proxyPort));
    m_documentName = latin1(m_plan.documentName);
    m_headers = RequestHeaders{bytes(m_sender),     bytes(m_accept),        bytes(m_reference),
                               bytes(m_agent),      bytes(m_cookie),        bytes(m_username),
                               bytes(m_password),   bytes(m_proxyUsername), bytes(m_proxyPassword),
                               bytes(m_rangeBegin), bytes(m_rangeEnd),      m_noCache,
                               std::nullopt};
    if (m_modifiedSince.isValid())
        m_headers.modifiedSince =
            std::chrono::sys_seconds(std::chrono::seconds(m_modifiedSince.toSecsSinceEpoch()));
    m_rangeBegin.clear();
    m_rangeEnd.clear();

    m_totalTimer.start(m_totalTimeoutMs);
    startLookup();
    if (m_state != State::Ready) {
        QEventLoop loop;
        connect(this, &HttpClient::requestDone, &loop, &QEventLoop::quit);
        loop.exec();
    }

    if (m_writerError) std::rethrow_exception(std::exchange(m_writerError, nullptr));
    if (m_failed || m_statusCode >= 400) throw HttpException(m_statusCode, bytes(m_reason), !m_failed);
}

QString HttpClient::contentType() const {
    return latin1(m_parser.head().contentType);
}

QStringList HttpClient::headerLines() const {
    QStringList lines;
    for (const auto& line : m_parser.head().lines)
        lines << latin1(line);
    return lines;
}

QStringList HttpClient::wwwAuthenticate() const {
    QStringList values;
    for (const auto& value : m_parser.head().wwwAuthenticate)
        values << latin1(value);
    return values;
}

void HttpClient::setState(State state) {
    if (m_state == state) return;
    m_state = state;
    Q_EMIT stateChanged(state);
}

// Nothing of an earlier response or connection (its redirect, its header, a tunnel under
// way) may count for the next one.
void HttpClient::resetResponse() {
    m_parser = ResponseParser{};
    m_statusCode = 0;
    m_reason.clear();
    m_bytesReceived = 0;
    m_documentBegun = false;
    m_awaitingTunnel = false;
    m_tunnelAnswer.clear();
}

void HttpClient::startLookup() {
    resetResponse();
    setState(State::NameLookup);
    restartIdleTimer();
    const int attempt = ++m_attempt;
    const QString host = latin1(m_plan.connectHost);
    // An address needs no lookup (Qt would look up its name instead).
    if (QHostAddress address; host.isEmpty() || address.setAddress(host)) {
        QTimer::singleShot(0, this, [this, attempt, address] {
            if (attempt == m_attempt) lookupDone(address.isNull() ? QList<QHostAddress>{} : QList{address});
        });
        return;
    }
    m_lookupId = QHostInfo::lookupHost(host, this, [this, attempt](const QHostInfo& info) {
        if (attempt != m_attempt) return;
        m_lookupId = -1;
        lookupDone(info.error() == QHostInfo::NoError ? info.addresses() : QList<QHostAddress>{});
    });
}

void HttpClient::lookupDone(const QList<QHostAddress>& addresses) {
    if (addresses.isEmpty()) {
        fail(404, QStringLiteral("can't resolve hostname to IP address"));
        return;
    }
    setState(State::NameLookupDone);
    restartIdleTimer();

    bool valid = false;
    const uint port = latin1(m_plan.connectPort).toUInt(&valid);
    if (!valid || port == 0 || port > 65535) {
        fail(404, QStringLiteral("can't connect: ") + withNumber(10022));
        return;
    }
    QHostAddress address = addresses.front();
    for (const auto& candidate : addresses) {
        if (candidate.protocol() == QAbstractSocket::IPv4Protocol) {
            address = candidate;
            break;
        }
    }

    QSslSocket* tls = m_plan.useTls() ? new QSslSocket(this) : nullptr;
    m_socket = tls ? tls : new QTcpSocket(this);
    // The proxy is this client's business: Qt's application proxy must not interfere.
    m_socket->setProxy(QNetworkProxy::NoProxy);
    connect(m_socket, &QAbstractSocket::readyRead, this, &HttpClient::readAvailable);
    connect(m_socket, &QAbstractSocket::errorOccurred, this, &HttpClient::socketError);
    connect(m_socket, &QAbstractSocket::disconnected, this, &HttpClient::remoteClosed);
    if (tls) {
        QSslConfiguration configuration = tls->sslConfiguration();
        configuration.addCaCertificates(m_caCertificates);
        tls->setSslConfiguration(configuration);
        connect(tls, &QSslSocket::encrypted, this, &HttpClient::connected);
        connect(tls, &QSslSocket::sslErrors, this, [this](const QList<QSslError>& errors) {
            QStringList texts;
            for (const auto& error : errors)
                texts << error.errorString();
            fail(404, QStringLiteral("TLS: ") + texts.join(QStringLiteral("; ")));
        });
        if (m_plan.tunnel()) {
            // TCP to the proxy; TLS starts once the tunnel stands, checked against the origin.
            tls->setPeerVerifyName(latin1(m_plan.hostHeader));
            connect(tls, &QAbstractSocket::connected, this, &HttpClient::openTunnel);
            tls->connectToHost(address, static_cast<quint16>(port));
        } else {
            tls->connectToHostEncrypted(address.toString(), static_cast<quint16>(port),
                                        latin1(m_plan.hostHeader));
        }
    } else {
        connect(m_socket, &QAbstractSocket::connected, this, &HttpClient::connected);
        m_socket->connectToHost(address, static_cast<quint16>(port));
    }
}

void HttpClient::connected() {
    setState(State::Connected);
    Q_EMIT sessionConnected();
    if (m_state != State::Connected) return;
    setState(State::WaitingForHeader);
    m_socket->write(QByteArray::fromStdString(buildGetRequest(m_plan, m_headers)));
    restartIdleTimer();
}

void HttpClient::openTunnel() {
    m_awaitingTunnel = true;
    m_socket->write(QByteArray::fromStdString(buildConnectRequest(m_plan, m_headers)));
    restartIdleTimer();
}

// The proxy's answer to CONNECT: a header of its own; 2xx opens the tunnel, anything else
// is the proxy's failure, reported with its status and reason.
void HttpClient::readTunnelAnswer() {
    m_tunnelAnswer += m_socket->readAll();
    const qsizetype end = m_tunnelAnswer.indexOf("\r\n\r\n");
    const qsizetype endLf = m_tunnelAnswer.indexOf("\n\n");
    if (end < 0 && endLf < 0) {
        if (m_tunnelAnswer.size() > static_cast<qsizetype>(ResponseParser::maxHeaderBytes))
            fail(4, QStringLiteral("HTTP header too long"));
        return;
    }
    const qsizetype headerEnd = end >= 0 && (endLf < 0 || end < endLf) ? end + 4 : endLf + 2;
    ResponseParser answer;
    ResponseListener ignore;
    const ResponseParser::Step step = answer.feed(
        std::string_view(m_tunnelAnswer.constData(), static_cast<std::size_t>(headerEnd)), ignore);
    const ResponseHead& head = answer.head();
    if (step == ResponseParser::Step::BadStatusLine || head.statusCode == 0) {
        fail(404, QStringLiteral("ungültige Antwort des Proxys auf CONNECT"));
        return;
    }
    if (head.statusCode < 200 || head.statusCode > 299) {
        fail(head.statusCode, latin1(head.reasonPhrase));
        return;
    }
    if (m_tunnelAnswer.size() > headerEnd) {
        fail(404, QStringLiteral("ungültige Antwort des Proxys auf CONNECT"));
        return;
    }
    m_awaitingTunnel = false;
    m_tunnelAnswer.clear();
    restartIdleTimer();
    static_cast<QSslSocket*>(m_socket.data())->startClientEncryption();
}

void HttpClient::readAvailable() {
    if (!m_socket || m_state == State::Ready) return;
    if (m_awaitingTunnel) {
        readTunnelAnswer();
        return;
    }
    const QByteArray received = m_socket->readAll();
    if (received.isEmpty()) return;
    restartIdleTimer();
    handleStep(m_parser.feed(
        std::string_view(received.constData(), static_cast<std::size_t>(received.size())), m_listener));
    // A server that keeps the connection open after the whole page is not waited for.
    if (m_state != State::Ready && m_parser.bodyComplete()) {
        closeSocket();
        connectionEnded();
    }
}

void HttpClient::handleStep(ResponseParser::Step step) {
    if (m_state == State::Ready) return; // failed while handling the bytes
    m_statusCode = m_parser.head().statusCode;
    m_reason = latin1(m_parser.head().reasonPhrase);
    switch (step) {
    case ResponseParser::Step::More:
        break;
    case ResponseParser::Step::Close:
        setState(State::Aborting);
        closeSocket();
        connectionEnded();
        break;
    case ResponseParser::Step::LineTooLong:
        fail(4, QStringLiteral("HTTP line too long"));
        break;
    case ResponseParser::Step::HeaderTooLong:
        fail(4, QStringLiteral("HTTP header too long"));
        break;
    case ResponseParser::Step::BadStatusLine:
        fail(404, QStringLiteral("ungültige HTTP-Statuszeile"));
        break;
    case ResponseParser::Step::UnsupportedCoding:
        fail(404, QStringLiteral("Transfer-Encoding wird nicht unterstützt"));
        break;
    case ResponseParser::Step::BadChunk:
        fail(404, QStringLiteral("ungültige Chunk-Kodierung"));
        break;
    case ResponseParser::Step::Truncated:
        fail(404, m_parser.head().chunked ? QStringLiteral("Antwort unvollständig: letzter Chunk fehlt")
                                          : QStringLiteral("Antwort unvollständig: %1 von %2 Bytes")
                                                .arg(m_parser.bodyBytes())
                                                .arg(m_parser.head().contentLength));
        break;
    }
}

void HttpClient::socketError(QAbstractSocket::SocketError error) {
    // Qt reports the server's close at the end of an HTTP/1.0 response as an error; the
    // disconnected signal that follows ends the request normally.
    if (error == QAbstractSocket::RemoteHostClosedError) return;
    if (error == QAbstractSocket::SslHandshakeFailedError || error == QAbstractSocket::SslInternalError ||
        error == QAbstractSocket::SslInvalidUserDataError) {
        fail(404, QStringLiteral("TLS: ") + (m_socket ? m_socket->errorString() : QString()));
        return;
    }
    fail(404, withNumber(socketErrorNumber(error)));
}

void HttpClient::remoteClosed() {
    if (m_state == State::Ready) return;
    readAvailable();
    if (m_state == State::Ready) return;
    const ResponseParser::Step step = m_parser.finish(m_listener);
    if (step == ResponseParser::Step::More || step == ResponseParser::Step::Close) {
        handleStep(ResponseParser::Step::More);
        closeSocket();
        connectionEnded();
    } else {
        handleStep(step);
    }
}

void HttpClient::connectionEnded() {
    if (m_state == State::Ready) return;
    if (m_parser.head().locationSeen) {
        if (++m_redirects > maxRedirects) {
            fail(404, QStringLiteral("zu viele Weiterleitungen"));
            return;
        }
        followLocation(m_plan, m_parser.head().location);
        Q_EMIT locationChange(latin1(m_plan.target));
        if (m_state != State::Ready) startLookup();
        return;
    }
    if (!m_parser.sawResponse()) {
        fail(404, QStringLiteral("Verbindung vor der Antwort geschlossen"));
        return;
    }
    if (!m_parser.inBody() && m_parser.head().statusCode < 300) {
        // A success whose header never ended: the page itself is missing, not empty.
        fail(404, QStringLiteral("Verbindung mitten im Antwortkopf geschlossen"));
        return;
    }
    m_idleTimer.stop();
    m_totalTimer.stop();
    if (m_documentBegun) Q_EMIT documentEnd();
    setState(State::Ready);
    Q_EMIT requestDone(m_statusCode);
}

void HttpClient::fail(int code, const QString& reason) {
    if (m_state == State::Ready) return;
    m_failed = true;
    m_statusCode = code;
    m_reason = reason;
    ++m_attempt;
    if (m_lookupId >= 0) {
        QHostInfo::abortHostLookup(m_lookupId);
        m_lookupId = -1;
    }
    if (m_socket) setState(State::Aborting);
    closeSocket();
    m_idleTimer.stop();
    m_totalTimer.stop();
    setState(State::Ready);
    Q_EMIT requestDone(code);
}

void HttpClient::closeSocket() {
    if (!m_socket) return;
    QTcpSocket* socket = m_socket;
    m_socket = nullptr;
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}

void HttpClient::restartIdleTimer() {
    m_idleTimer.start(m_idleTimeoutMs);
}

void HttpClient::Listener::headerBegin() {
    Q_EMIT m_client.headerBegin();
}

void HttpClient::Listener::headerLine(const std::string& line) {
    const ResponseHead& head = m_client.m_parser.head();
    if (!head.acceptRanges.empty()) m_client.m_acceptRanges = latin1(head.acceptRanges);
    if (!head.contentRangeBegin.empty() || !head.contentRangeEnd.empty()) {
        m_client.m_rangeBegin = latin1(head.contentRangeBegin);
        m_client.m_rangeEnd = latin1(head.contentRangeEnd);
    }
    Q_EMIT m_client.headerData(QByteArray::fromStdString(line));
}

void HttpClient::Listener::headerEnd() {
    const ResponseHead& head = m_client.m_parser.head();
    if (head.contentType == "text/html" &&
        m_client.m_documentName.endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive)) {
        m_client.m_documentName.chop(3);
        m_client.m_documentName += QStringLiteral("htm");
    }
    Q_EMIT m_client.headerEnd();
    if (!head.locationSeen && m_client.m_state == State::WaitingForHeader)
        m_client.setState(State::WaitingForBody);
}

void HttpClient::Listener::bodyPiece(const char* data, std::size_t size) {
    HttpClient& client = m_client;
    if (client.m_state == State::Ready) return;
    if (client.m_bytesReceived + static_cast<std::int64_t>(size) > maxBodySize) {
        client.fail(404, QStringLiteral("Antwort größer als 64 MiB"));
        return;
    }
    if (!client.m_documentBegun) {
        client.m_documentBegun = true;
        Q_EMIT client.documentBegin();
    }
    client.m_bytesReceived += static_cast<std::int64_t>(size);
    if (client.m_writer) {
        try {
            client.m_writer(data, size);
        } catch (...) {
            client.m_writerError = std::current_exception();
            client.fail(0, QString());
            return;
        }
    }
    Q_EMIT client.documentData(QByteArray(data, static_cast<qsizetype>(size)));
}

} // namespace lotto
