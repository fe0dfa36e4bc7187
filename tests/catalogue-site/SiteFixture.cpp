#include "SiteFixture.h"

#include "catalogue-site/SyntheticIcons.h"
#include "catalogue/LinkPass.h"
#include "platform/HtmlDocument.h"
#include "platform/SiteAddress.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QUrl>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

SiteFixture::SiteFixture(int synthetic, const QStringList& faults)
    : m_catalogue(SyntheticIcons::entries(synthetic))
    , m_images(m_catalogue)
    , m_responder(base(), m_catalogue, m_images, FaultSet::parse(faults.join(',')).value())
{
}

ClientView readAsClient(const QByteArray& html, const QString& base)
{
    ClientView view;
    const auto doc = HtmlDocument::parse(html, QUrl(base), 5000);
    EXPECT_TRUE(SiteAddress::setBase(base));
    if (!doc) {
        ADD_FAILURE() << "page does not parse";
        return view;
    }
    view.links = doc->links();
    view.images = doc->images();
    for (const QString& image : view.images)
        view.imageNames << FileNameFromUrl(image);
    std::vector<IconRecord> records;
    int count = 0;
    LinkPass::run(view.links, records, count, SiteAddress::titleStart());
    for (int i = 0; i < count; ++i) {
        view.titles << records[size_t(i)].title;
        view.postLinks << records[size_t(i)].postLink;
    }
    return view;
}

RawResponse fetch(int port, const std::string& target, int timeoutMs, std::atomic<bool>* headersArrived)
{
    RawResponse r;
    QElapsedTimer clock;
    clock.start();
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(quint16(port));
    const std::string request = "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n";
    QByteArray data;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) == 0
        && ::send(fd, request.data(), request.size(), MSG_NOSIGNAL) > 0) {
        char buf[65536];
        pollfd p{fd, POLLIN, 0};
        while (!(r.timedOut = clock.elapsed() >= timeoutMs)) {
            if (::poll(&p, 1, int(timeoutMs - clock.elapsed())) <= 0)
                continue;
            const ssize_t n = ::recv(fd, buf, sizeof(buf), 0);
            if (n <= 0)
                break;
            data.append(buf, n);
            if (headersArrived && data.contains("\r\n\r\n"))
                *headersArrived = true;
        }
    }
    ::close(fd);
    const qsizetype headEnd = data.indexOf("\r\n\r\n");
    const QString head = QString::fromLatin1(data.left(headEnd));
    const auto header = [&](const QString& name) {
        return QRegularExpression("\\n" + name + ": *([^\\r]*)", QRegularExpression::CaseInsensitiveOption)
            .match(head).captured(1).toLatin1();
    };
    r.status = head.section(' ', 1, 1).toInt();
    r.contentType = header("Content-Type");
    r.contentLength = header("Content-Length").isEmpty() ? -1 : header("Content-Length").toLongLong();
    r.body = headEnd < 0 ? QByteArray() : data.mid(headEnd + 4);
    r.elapsedMs = clock.elapsed();
    return r;
}
