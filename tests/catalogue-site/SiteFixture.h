#pragma once

#include "catalogue-site/IconCatalogue.h"
#include "catalogue-site/ImageStore.h"
#include "catalogue-site/SiteResponder.h"
#include "catalogue-site/SiteServer.h"

#include <QStringList>

#include <memory>
#include <vector>

// A catalogue of generated icons with its image store, answered in-process (SiteResponder) or
// served over HTTP on a free loopback port (SiteServer).
class SiteFixture {
public:
    explicit SiteFixture(int synthetic, const QStringList& faults = {});

    // Starts the HTTP server; false when it could not bind.
    bool serve(int latencyMs = 0, RequestLog* log = nullptr);

    [[nodiscard]] const IconCatalogue& catalogue() const { return *m_catalogue; }
    [[nodiscard]] ImageStore& images() { return *m_images; }
    [[nodiscard]] const SiteResponder& responder() const { return *m_responder; }
    [[nodiscard]] QString base() const { return m_base; }
    [[nodiscard]] int port() const;

private:
    FaultSet m_faults;
    std::unique_ptr<IconCatalogue> m_catalogue;
    std::unique_ptr<ImageStore> m_images;
    std::unique_ptr<SiteResponder> m_responder;
    std::unique_ptr<SiteServer> m_server;
    QString m_base;
};

// A result page as the client reads it: links and images of the parsed document, records of the
// link pass, and the file names of the images.
struct ClientView {
    QStringList links;
    QStringList images;
    QStringList imageNames;
    QStringList titles;
    QStringList postLinks;
    bool parsed = false;
};
ClientView readAsClient(const QByteArray& html, const QString& pageUrl, const QString& base);

// The full-size file name the client derives from a thumbnail name (year, month, suffix rule).
QString fullNameFromThumb(const QString& thumb);
// "YYYY/MM/" the client derives from a thumbnail name.
QString folderFromThumb(const QString& thumb);
