#pragma once

#include "catalogue-site/DistinctResults.h"
#include "catalogue-site/FaultSet.h"
#include "catalogue-site/IconCatalogue.h"
#include "catalogue-site/ImageStore.h"
#include "catalogue-site/PageRenderer.h"
#include "catalogue-site/SiteAnswer.h"
#include "catalogue-site/SiteRoute.h"

#include <string>

// The site's answers: result pages (30 per page, 404 past the last; one post per picture,
// DistinctResults), post pages, thumbnails and full-size icons, with the requested faults applied.
// Independent of HTTP, thread-safe.
class SiteResponder
{
public:
    SiteResponder(QString base, const IconCatalogue& catalogue, ImageStore& images, FaultSet faults);

    [[nodiscard]] SiteAnswer answer(const std::string& target) const;
    [[nodiscard]] const PageRenderer& pages() const { return m_pages; }

private:
    [[nodiscard]] SiteAnswer listing(const SiteRoute& route) const;
    [[nodiscard]] SiteAnswer post(const SiteRoute& route) const;
    [[nodiscard]] SiteAnswer thumbnail(const SiteRoute& route) const;
    [[nodiscard]] SiteAnswer fullSize(const SiteRoute& route) const;
    [[nodiscard]] SiteAnswer notFound() const;
    [[nodiscard]] static SiteAnswer badRequest();
    [[nodiscard]] static SiteAnswer png(const QByteArray& bytes);

    const IconCatalogue& m_catalogue;
    ImageStore& m_images;
    FaultSet m_faults;
    PageRenderer m_pages;
    mutable DistinctResults m_distinct;
};
