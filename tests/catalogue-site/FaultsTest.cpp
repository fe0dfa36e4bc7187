// Each fault on its own does what its name says, and only where it says.
#include "RawHttp.h"
#include "SiteFixture.h"
#include "catalogue-site/FaultyBytes.h"
#include "catalogue-site/IconNaming.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QImageReader>
#include <QSet>

#include <gtest/gtest.h>

namespace {
std::string thumbTarget(const SiteFixture& site, int index)
{
    return site.responder().pages().thumbUrl(index).mid(site.base().size() - 1).toStdString();
}

std::string fullTarget(const SiteFixture& site, int index)
{
    return site.responder().pages().fullUrl(index).mid(site.base().size() - 1).toStdString();
}

bool decodes(const QByteArray& bytes)
{
    return !QImage::fromData(bytes, "png").isNull();
}

ClientView frontPage(const SiteFixture& site)
{
    return readAsClient(site.responder().answer("/").body, site.base(), site.base());
}
} // namespace

TEST(Faults, ThumbnailBodyFaultsHitEverySeventhThumbnailOnly)
{
    struct Case {
        const char* fault;
        std::function<void(const SiteAnswer&, const QByteArray& real)> check;
    };
    const std::vector<Case> cases = {
        {"thumb-404", [](const SiteAnswer& a, const QByteArray&) { EXPECT_EQ(a.status, 404); }},
        {"thumb-empty", [](const SiteAnswer& a, const QByteArray&) {
             EXPECT_EQ(a.status, 200);
             EXPECT_TRUE(a.body.isEmpty());
         }},
        {"thumb-one-byte", [](const SiteAnswer& a, const QByteArray& real) {
             EXPECT_EQ(a.status, 200);
             EXPECT_EQ(a.body, real.left(1));
         }},
        {"thumb-truncated", [](const SiteAnswer& a, const QByteArray& real) {
             EXPECT_EQ(a.body, real.left(real.size() / 2));
             EXPECT_FALSE(decodes(a.body));
         }},
        {"thumb-garbage", [](const SiteAnswer& a, const QByteArray&) {
             EXPECT_EQ(a.status, 200);
             EXPECT_GE(a.body.size(), 2);
             EXPECT_FALSE(decodes(a.body));
         }},
        {"thumb-bomb", [](const SiteAnswer& a, const QByteArray&) {
             QByteArray body = a.body;
             QBuffer buffer(&body);
             EXPECT_EQ(QImageReader(&buffer, "png").size(), QSize(100000, 100000));
         }},
    };
    SiteFixture clean(30);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        SiteFixture site(30, {c.fault});
        for (int i = 0; i < 30; ++i) {
            const SiteAnswer a = site.responder().answer(thumbTarget(site, i));
            const QByteArray real = clean.images().thumbnail(i);
            if (FaultSet::hits(i)) {
                c.check(a, real);
            } else {
                EXPECT_EQ(a.status, 200) << i;
                EXPECT_EQ(a.body, real) << i;
            }
            EXPECT_EQ(site.responder().answer(fullTarget(site, i)).status, 200);
        }
    }
}

TEST(Faults, DupNamesRepeatsThePreviousImageAddress)
{
    SiteFixture site(60, {"dup-names"});
    const ClientView v = frontPage(site);
    ASSERT_EQ(v.images.size(), 30);
    EXPECT_EQ(v.postLinks.size(), 30);
    for (int k = 1; k < 30; ++k) {
        if (FaultSet::hits(k))
            EXPECT_EQ(v.imageNames[k], v.imageNames[k - 1]) << k;
        else
            EXPECT_NE(v.imageNames[k], v.imageNames[k - 1]) << k;
    }
}

TEST(Faults, YearLinksAddsNonPostLinksWithYears)
{
    SiteFixture site(60, {"year-links"});
    const ClientView v = frontPage(site);
    EXPECT_EQ(v.images.size(), 30);
    QSet<QString> posts;
    for (int i = 0; i < site.catalogue().size(); ++i)
        posts.insert(site.responder().pages().postUrl(i));
    QStringList yearNonPosts;
    for (const QString& link : v.links) {
        if (IconNaming::containsPostYear(link.mid(site.base().size())) && !posts.contains(link))
            yearNonPosts << link;
    }
    EXPECT_GE(yearNonPosts.size(), 4 + 5);  // a date link by every 7th post and the archive months
    EXPECT_GT(v.postLinks.size(), 30);      // the client takes them for posts
}

TEST(Faults, HostileNamesPutDangerousFileNamesOnTheImages)
{
    SiteFixture site(200, {"hostile-names"});
    QStringList names;
    QByteArray markup;
    for (const char* path : {"/", "/page/2", "/page/3"}) {
        const QString url = site.base() + QString::fromLatin1(path).mid(1);
        markup += site.responder().answer(path).body;
        const ClientView v = readAsClient(site.responder().answer(path).body, url, site.base());
        ASSERT_EQ(v.images.size(), 30);
        for (int k = 0; k < 30; ++k) {
            if (FaultSet::hits(k))
                names << v.imageNames[k];
            else
                EXPECT_TRUE(v.imageNames[k].endsWith("-150x150.png"));
        }
    }
    const auto any = [&](auto pred) { return std::any_of(names.begin(), names.end(), pred); };
    // As written in the page, and as a browser resolves them (dot segments removed: no name left).
    EXPECT_TRUE(markup.contains("/..\""));
    EXPECT_TRUE(markup.contains("/%2e%2e\""));
    EXPECT_TRUE(any([](const QString& n) { return n.isEmpty(); }));
    EXPECT_TRUE(markup.contains("..\\..\\"));
    EXPECT_TRUE(any([](const QString& n) { return n.contains('\\') || n.contains("%5C", Qt::CaseInsensitive); }));
    EXPECT_TRUE(any([](const QString& n) {
        return std::any_of(n.begin(), n.end(), [](QChar c) { return c.unicode() < 0x20; }) || n.contains("%01");
    }));
    EXPECT_TRUE(any([](const QString& n) { return n.size() >= 300; }));
    // A hostile address still answers with a picture, so the client must judge the name itself.
    const SiteAnswer a = site.responder().answer("/wp-content/uploads/2016/05/..%5C..%5Cx-150x150.png");
    EXPECT_EQ(a.status, 200);
    EXPECT_TRUE(decodes(a.body));
}

TEST(Faults, BadMarkupIsBrokenYetParsesToTheSamePostsAndImages)
{
    SiteFixture clean(60);
    SiteFixture site(60, {"bad-markup"});
    const QByteArray body = site.responder().answer("/").body;
    EXPECT_TRUE(body.contains("</div></a>"));
    EXPECT_TRUE(body.contains("</h2></b></a>"));
    EXPECT_FALSE(body.contains("</html>"));
    EXPECT_FALSE(body.contains("</article>"));
    const ClientView broken = readAsClient(body, site.base(), site.base());
    const ClientView sound = frontPage(clean);
    EXPECT_EQ(broken.postLinks, sound.postLinks);
    EXPECT_EQ(broken.images, sound.images);
    EXPECT_EQ(broken.titles, sound.titles);
}

TEST(Faults, FullNotFoundHitsEveryFullSizeIconAndNothingElse)
{
    SiteFixture site(30, {"full-404"});
    for (int i = 0; i < 30; ++i) {
        EXPECT_EQ(site.responder().answer(fullTarget(site, i)).status, 404);
        EXPECT_EQ(site.responder().answer(thumbTarget(site, i)).status, 200);
    }
    EXPECT_EQ(site.responder().answer("/").status, 200);
}

TEST(Faults, StallSendsHeadersAndPartOfThePageThenNothing)
{
    QTemporaryDir dir;
    RequestLog log;
    ASSERT_TRUE(log.open(dir.filePath("site.log"), nullptr));
    SiteFixture site(60, {"stall"});
    ASSERT_TRUE(site.serve(0, &log));
    const RawResponse r = RawHttp::get(site.port(), "/", 1500);
    ASSERT_TRUE(r.headersComplete);
    EXPECT_EQ(r.status, 200);
    EXPECT_GT(r.contentLength, 0);
    EXPECT_LT(r.body.size(), r.contentLength);
    EXPECT_TRUE(r.timedOut);
    EXPECT_FALSE(r.closedByServer);
    EXPECT_TRUE(r.body.contains("<header"));
    EXPECT_FALSE(r.body.contains("<article"));
    // Once the client has gone, the stalled answer ends and gives its thread back (it is logged
    // as it ends, with the bytes that were sent).
    QFile file(dir.filePath("site.log"));
    QByteArray logged;
    QElapsedTimer clock;
    clock.start();
    while (!logged.contains('\n') && clock.elapsed() < 10000) {
        file.open(QIODevice::ReadOnly);
        logged = file.readAll();
        file.close();
    }
    EXPECT_EQ(logged, "GET / 200 " + QByteArray::number(r.body.size()) + ' ' + logged.split(' ').value(4));
    // Images are not stalled.
    const RawResponse t = RawHttp::get(site.port(), thumbTarget(site, 0));
    EXPECT_EQ(t.status, 200);
    EXPECT_EQ(t.body.size(), t.contentLength);
}

TEST(Faults, ResetClosesEverySeventhThumbnailInTheMiddleOfItsBody)
{
    SiteFixture site(30, {"reset"});
    ASSERT_TRUE(site.serve());
    for (int i = 0; i < 14; ++i) {
        const RawResponse r = RawHttp::get(site.port(), thumbTarget(site, i));
        ASSERT_TRUE(r.headersComplete) << i;
        EXPECT_EQ(r.status, 200);
        if (FaultSet::hits(i)) {
            EXPECT_TRUE(r.closedByServer) << i;
            EXPECT_GT(r.body.size(), 0);
            EXPECT_LT(r.body.size(), r.contentLength) << i;
        } else {
            EXPECT_EQ(r.body.size(), r.contentLength) << i;
            EXPECT_TRUE(decodes(r.body));
        }
    }
}
