#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

#include <functional>
#include <map>
#include <vector>

// A loopback HTTP/1.1 server whose test decides when and how each request is answered, so
// ordering, concurrency, timeouts and cancellation can be driven exactly. Requests are held until
// answer() names their path; keep-alive connections are served one request after another.
class HeldHttpServer : public QObject
{
public:
    HeldHttpServer()
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, this, [this]() {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, this, [this, socket]() { onRead(socket); });
                QObject::connect(socket, &QTcpSocket::disconnected, this, [this, socket]() {
                    ++disconnects;
                    for (auto it = m_pending.begin(); it != m_pending.end();)
                        it = it->second == socket ? m_pending.erase(it) : std::next(it);
                    m_buffers.erase(socket);
                    socket->deleteLater();
                });
            }
        });
    }

    ~HeldHttpServer() override
    {
        // Close the connections while the bookkeeping they report to still exists.
        for (QTcpSocket* socket : m_server.findChildren<QTcpSocket*>()) {
            socket->disconnect(this);
            delete socket;
        }
    }

    [[nodiscard]] bool isListening() const { return m_server.isListening(); }
    [[nodiscard]] QString url(const QString& path) const
    {
        return QString("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path);
    }
    [[nodiscard]] int pendingCount() const { return int(m_pending.size()); }
    [[nodiscard]] bool isPending(const QByteArray& path) const { return m_pending.count(path) > 0; }

    // Answers the held request for path; returns false when there is none. Extra header lines
    // end with "\r\n".
    bool answer(const QByteArray& path, int status, const QByteArray& body, const QByteArray& headers = {})
    {
        auto it = m_pending.find(path);
        if (it == m_pending.end() || !it->second)
            return false;
        QTcpSocket* socket = it->second;
        m_pending.erase(it);
        const QByteArray reason = status == 200 ? "OK" : "Error";
        socket->write("HTTP/1.1 " + QByteArray::number(status) + " " + reason +
                      "\r\nContent-Type: application/octet-stream\r\n" + headers +
                      "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body);
        log.push_back("answer " + path);
        return true;
    }

    // When set, every request is answered on arrival with (status, body) for its path.
    std::function<std::pair<int, QByteArray>(const QByteArray& path)> autoAnswer;

    // Sends the headers and half of the promised body of the held request, then closes the connection.
    bool cut(const QByteArray& path)
    {
        auto it = m_pending.find(path);
        if (it == m_pending.end() || !it->second)
            return false;
        QTcpSocket* socket = it->second;
        m_pending.erase(it);
        socket->write("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n" + QByteArray(500, 'c'));
        socket->disconnectFromHost();
        log.push_back("cut " + path);
        return true;
    }

    // Starts answering the held request for path with a body sent piece by piece with send():
    // with a declared length (Content-Length), or without one, ended by closing the connection.
    bool begin(const QByteArray& path, qint64 declaredLength = -1)
    {
        auto it = m_pending.find(path);
        if (it == m_pending.end() || !it->second)
            return false;
        m_streams[path] = it->second;
        m_pending.erase(it);
        const QByteArray length = declaredLength >= 0
                                      ? "Content-Length: " + QByteArray::number(declaredLength)
                                      : QByteArray("Connection: close");
        m_streams[path]->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n" + length + "\r\n\r\n");
        return true;
    }
    // More of a begun body; false once the client has gone.
    bool send(const QByteArray& path, const QByteArray& bytes)
    {
        QPointer<QTcpSocket> socket = m_streams[path];
        if (!socket || socket->state() != QAbstractSocket::ConnectedState)
            return false;
        socket->write(bytes);
        return true;
    }
    // Bytes of a begun body the client has not yet taken from the connection.
    [[nodiscard]] qint64 unsent(const QByteArray& path)
    {
        QPointer<QTcpSocket> socket = m_streams[path];
        return socket ? socket->bytesToWrite() : 0;
    }

    std::vector<QByteArray> log; // "request /p" and "answer /p" in the order they happened
    int maxPending = 0;          // the most requests held at the same time
    int disconnects = 0;

private:
    void onRead(QTcpSocket* socket)
    {
        QByteArray& buffer = m_buffers[socket];
        buffer += socket->readAll();
        qsizetype end;
        while ((end = buffer.indexOf("\r\n\r\n")) >= 0) {
            const QByteArray head = buffer.left(end);
            buffer.remove(0, end + 4);
            const QList<QByteArray> words = head.left(head.indexOf("\r\n")).split(' ');
            const QByteArray path = words.size() > 1 ? words[1] : QByteArray("/");
            m_pending.emplace(path, socket);
            log.push_back("request " + path);
            maxPending = std::max(maxPending, int(m_pending.size()));
            if (autoAnswer) {
                const auto [status, body] = autoAnswer(path);
                answer(path, status, body);
            }
        }
    }

    QTcpServer m_server;
    std::multimap<QByteArray, QPointer<QTcpSocket>> m_pending;
    std::map<QTcpSocket*, QByteArray> m_buffers;
    std::map<QByteArray, QPointer<QTcpSocket>> m_streams;
};
