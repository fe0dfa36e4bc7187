#include "RawHttp.h"

#include <QElapsedTimer>
#include <QList>
#include <QUrl>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
void parseHead(const QByteArray& head, RawResponse& r)
{
    const QList<QByteArray> lines = head.split('\n');
    if (lines.isEmpty())
        return;
    const QList<QByteArray> statusLine = lines[0].trimmed().split(' ');
    if (statusLine.size() >= 2)
        r.status = statusLine[1].toInt();
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        const qsizetype colon = line.indexOf(':');
        if (colon < 0)
            continue;
        const QByteArray key = line.left(colon).trimmed().toLower();
        const QByteArray value = line.mid(colon + 1).trimmed();
        if (key == "content-length")
            r.contentLength = value.toLongLong();
        else if (key == "content-type")
            r.contentType = value;
    }
}
} // namespace

int RawHttp::portOf(const QString& baseUrl)
{
    return QUrl(baseUrl).port();
}

RawResponse RawHttp::get(int port, const std::string& target, int timeoutMs, const std::string& method,
                         std::atomic<bool>* headersArrived)
{
    RawResponse r;
    QElapsedTimer clock;
    clock.start();
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(quint16(port));
    if (fd < 0 || ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) != 0) {
        if (fd >= 0)
            ::close(fd);
        return r;
    }
    r.connected = true;
    const std::string request = method + " " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n";
    if (::send(fd, request.data(), request.size(), MSG_NOSIGNAL) < 0) {
        ::close(fd);
        return r;
    }
    QByteArray data;
    qsizetype headEnd = -1;
    while (true) {
        if (headEnd >= 0 && r.contentLength >= 0 && data.size() - headEnd - 4 >= r.contentLength)
            break;
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0) {
            r.timedOut = true;
            break;
        }
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, int(left)) <= 0)
            continue;
        char buf[65536];
        const ssize_t n = ::recv(fd, buf, sizeof(buf), 0);
        if (n <= 0) {
            r.closedByServer = true;
            break;
        }
        data.append(buf, n);
        if (headEnd < 0 && (headEnd = data.indexOf("\r\n\r\n")) >= 0) {
            parseHead(data.left(headEnd), r);
            if (headersArrived)
                *headersArrived = true;
        }
    }
    ::close(fd);
    r.headersComplete = headEnd >= 0;
    if (r.headersComplete)
        r.body = data.mid(headEnd + 4);
    r.elapsedMs = clock.elapsed();
    return r;
}
