#pragma once

#include "catalogue-site/IconCatalogue.h"
#include "catalogue-site/ImageStore.h"
#include "catalogue-site/SiteResponder.h"

#include <QStringList>

#include <atomic>
#include <memory>
#include <string>

// A catalogue of generated icons with its image store and the site's answers, in-process.
class SiteFixture {
public:
    explicit SiteFixture(int synthetic, const QStringList& faults = {});

    [[nodiscard]] const IconCatalogue& catalogue() const { return m_catalogue; }
    [[nodiscard]] ImageStore& images() { return m_images; }
    [[nodiscard]] const PageRenderer& pages() const { return m_responder.pages(); }
    [[nodiscard]] SiteAnswer get(const std::string& target) const { return m_responder.answer(target); }
    [[nodiscard]] QString base() const { return QStringLiteral("http://127.0.0.1:18123/"); }
    // The request target of one of the site's addresses.
    [[nodiscard]] std::string target(const QString& url) const { return url.mid(base().size() - 1).toStdString(); }

private:
    IconCatalogue m_catalogue;
    ImageStore m_images;
    SiteResponder m_responder;
};

// A result page as the client reads it: links and images of the parsed document, the records of
// its link pass, and the file names of the images.
struct ClientView {
    QStringList links;
    QStringList images;
    QStringList imageNames;
    QStringList titles;
    QStringList postLinks;
};
ClientView readAsClient(const QByteArray& html, const QString& base);

// What a plain socket sees of a GET with Connection: close, so tests can send any target and see
// whether the body ended early or is still pending when the wait runs out.
struct RawResponse {
    int status = 0;
    QByteArray contentType;
    qint64 contentLength = -1;
    QByteArray body;
    bool timedOut = false;  // otherwise the server closed the connection
    qint64 elapsedMs = 0;
};
// `headersArrived` is set as soon as the headers are in.
RawResponse fetch(int port, const std::string& target, int timeoutMs = 20000,
                  std::atomic<bool>* headersArrived = nullptr);
