#include "SiteFixture.h"

#include "RawHttp.h"
#include "catalogue-site/SyntheticIcons.h"
#include "catalogue/LinkPass.h"
#include "platform/HtmlDocument.h"
#include "platform/SiteAddress.h"

#include <gtest/gtest.h>

SiteFixture::SiteFixture(int synthetic, const QStringList& faults)
{
    const auto parsed = FaultSet::parse(faults.join(','));
    if (parsed)
        m_faults = *parsed;
    m_catalogue = std::make_unique<IconCatalogue>(SyntheticIcons::entries(synthetic));
    m_images = std::make_unique<ImageStore>(*m_catalogue);
    m_base = QStringLiteral("http://127.0.0.1:18123/");
    m_responder = std::make_unique<SiteResponder>(m_base, *m_catalogue, *m_images, m_faults);
}

bool SiteFixture::serve(int latencyMs, RequestLog* log)
{
    m_server = std::make_unique<SiteServer>(*m_catalogue, *m_images, m_faults, latencyMs, log);
    if (!m_server->start(0, nullptr))
        return false;
    m_base = m_server->baseUrl();
    m_responder = std::make_unique<SiteResponder>(m_base, *m_catalogue, *m_images, m_faults);
    return true;
}

int SiteFixture::port() const
{
    return RawHttp::portOf(m_base);
}

ClientView readAsClient(const QByteArray& html, const QString& pageUrl, const QString& base)
{
    ClientView view;
    const auto doc = HtmlDocument::parse(html, QUrl(pageUrl), 5000);
    if (!doc)
        return view;
    view.parsed = true;
    view.links = doc->links();
    view.images = doc->images();
    for (const QString& image : view.images)
        view.imageNames << FileNameFromUrl(image);
    EXPECT_TRUE(SiteAddress::setBase(base));
    std::vector<IconRecord> records;
    int count = 0;
    LinkPass::run(view.links, records, count, SiteAddress::titleStart());
    for (int i = 0; i < count; ++i) {
        view.titles << records[size_t(i)].title;
        view.postLinks << records[size_t(i)].postLink;
    }
    return view;
}

QString fullNameFromThumb(const QString& thumb)
{
    const qsizetype dash = thumb.indexOf('-');
    if (dash < 0)
        return thumb;
    QString full = thumb;
    full.remove(thumb.mid(dash, 8));
    return full;
}

QString folderFromThumb(const QString& thumb)
{
    return thumb.left(4) + '/' + thumb.mid(4, 2) + '/';
}
