#include "catalogue-site/SiteResponder.h"

#include "catalogue-site/FaultyBytes.h"
#include "catalogue-site/SearchWords.h"

namespace
{
const QByteArray kHtml = QByteArrayLiteral("text/html; charset=UTF-8");
const QByteArray kPng = QByteArrayLiteral("image/png");

SiteAnswer html(int status, const QByteArray& body)
{
    SiteAnswer a;
    a.status = status;
    a.contentType = kHtml;
    a.body = body;
    return a;
}
} // namespace

SiteResponder::SiteResponder(QString base, const IconCatalogue& catalogue, ImageStore& images,
                             FaultSet faults)
    : m_catalogue(catalogue), m_images(images), m_faults(faults), m_pages(std::move(base), catalogue, faults),
      m_distinct(catalogue, images)
{
}

SiteAnswer SiteResponder::answer(const std::string& target) const
{
    const SiteRoute route = SiteRoute::parse(target);
    switch (route.kind) {
    case SiteRoute::Kind::Front:
    case SiteRoute::Kind::Search:
        return listing(route);
    case SiteRoute::Kind::Post:
        return post(route);
    case SiteRoute::Kind::Thumbnail:
        return thumbnail(route);
    case SiteRoute::Kind::FullSize:
        return fullSize(route);
    case SiteRoute::Kind::BadRequest:
        return badRequest();
    case SiteRoute::Kind::NotFound:
        break;
    }
    return notFound();
}

SiteAnswer SiteResponder::listing(const SiteRoute& route) const
{
    ResultPageView view;
    const bool search = route.kind == SiteRoute::Kind::Search;
    const QString key = search ? SearchWords::words(route.keyword).join(' ') : QString();
    DistinctResults::Page found = m_distinct.page(
        key, [&] { return search ? m_catalogue.search(route.keyword) : m_catalogue.all(); }, route.page);
    view.total = found.total;
    view.page = route.page;
    view.lastPage = IconCatalogue::pageCount(view.total);
    if (search)
        view.keyword = route.keyword;
    if (view.page > view.lastPage)
        return notFound();
    view.posts = std::move(found.posts);

    SiteAnswer a = html(200, m_pages.resultPage(view));
    if (m_faults.has(Fault::Stall)) {
        a.delivery = SiteAnswer::Delivery::Stall;
        a.cut = PageRenderer::postsOffset(a.body);
    }
    return a;
}

SiteAnswer SiteResponder::post(const SiteRoute& route) const
{
    const int index = m_catalogue.indexOfName(route.name);
    if (index < 0 || m_catalogue.at(index).date.toString("yyyy/MM/dd/") != route.datePath)
        return notFound();
    return html(200, m_pages.postPage(index));
}

SiteAnswer SiteResponder::thumbnail(const SiteRoute& route) const
{
    const int index = m_catalogue.indexOfThumbName(route.name);
    if (index < 0 || m_catalogue.at(index).uploadFolder() != route.datePath) {
        // The hostile names of the page answer with a real picture, so a client has to decide
        // about the name itself.
        if (m_faults.has(Fault::HostileNames) && m_catalogue.size() > 0)
            return png(m_images.thumbnail(0));
        return notFound();
    }
    const QByteArray picture = m_images.thumbnail(index);
    if (!FaultSet::hits(index))
        return png(picture);
    if (m_faults.has(Fault::ThumbNotFound))
        return notFound();
    if (m_faults.has(Fault::ThumbEmpty))
        return png({});
    if (m_faults.has(Fault::ThumbOneByte))
        return png(picture.left(1));
    if (m_faults.has(Fault::ThumbTruncated))
        return png(FaultyBytes::truncated(picture));
    if (m_faults.has(Fault::ThumbGarbage))
        return png(FaultyBytes::garbage());
    if (m_faults.has(Fault::ThumbBomb))
        return png(FaultyBytes::bomb());
    SiteAnswer a = png(picture);
    if (m_faults.has(Fault::Reset)) {
        a.delivery = SiteAnswer::Delivery::Reset;
        a.cut = picture.size() / 2;
    }
    return a;
}

SiteAnswer SiteResponder::fullSize(const SiteRoute& route) const
{
    const int index = m_catalogue.indexOfFullName(route.name);
    if (m_faults.has(Fault::FullNotFound) || index < 0 ||
        m_catalogue.at(index).uploadFolder() != route.datePath)
        return notFound();
    return png(m_images.fullSize(index));
}

SiteAnswer SiteResponder::notFound() const
{
    return html(404, m_pages.notFoundPage());
}

SiteAnswer SiteResponder::badRequest()
{
    return html(400, QByteArrayLiteral(
                         "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
                         "<title>Bad request</title></head><body><h1>Bad request</h1></body></html>\n"));
}

SiteAnswer SiteResponder::png(const QByteArray& bytes)
{
    SiteAnswer a;
    a.contentType = kPng;
    a.body = bytes;
    return a;
}
