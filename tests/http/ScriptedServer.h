#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <sys/socket.h>

#include <functional>
#include <optional>

// An HTTP server on 127.0.0.1 that records each request header and answers with the
// bytes its script gives for that request (by number), then closes (with resetAfter,
// resets the connection a moment later; with keepOpen, leaves it open); no answer keeps
// the connection open and silent.
class ScriptedServer {
public:
    using Script = std::function<std::optional<QByteArray>(int index, const QByteArray& request)>;

    explicit ScriptedServer(Script script) : m_script(std::move(script)) {
        m_server.listen(QHostAddress::LocalHost);
        QObject::connect(&m_server, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { read(socket); });
                QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }
    explicit ScriptedServer(const QByteArray& response)
        : ScriptedServer([response](int, const QByteArray&) { return response; }) {}

    quint16 port() const { return m_server.serverPort(); }
    QByteArray url(const char* path = "/") const {
        return "http://127.0.0.1:" + QByteArray::number(port()) + path;
    }

    QList<QByteArray> requests;
    bool resetAfter = false;
    bool keepOpen = false;

private:
    void read(QTcpSocket* socket) {
        QByteArray& buffer = m_buffers[socket];
        buffer += socket->readAll();
        if (!buffer.contains("\r\n\r\n")) return;
        requests << buffer;
        const std::optional<QByteArray> answer = m_script(static_cast<int>(requests.size()) - 1, buffer);
        m_buffers.remove(socket);
        if (!answer) return;
        socket->write(*answer);
        if (keepOpen) return;
        if (!resetAfter) {
            socket->disconnectFromHost();
            return;
        }
        socket->flush();
        QTimer::singleShot(100, socket, [socket] {
            const linger reset{1, 0}; // closing now sends RST instead of FIN
            setsockopt(static_cast<int>(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &reset,
                       sizeof reset);
            socket->abort();
        });
    }

    QTcpServer m_server;
    Script m_script;
    QHash<QTcpSocket*, QByteArray> m_buffers;
};
