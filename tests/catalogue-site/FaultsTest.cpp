// Each fault on its own does what its name says, and only where it says.
#include "SiteFixture.h"
#include "catalogue-site/IconNaming.h"

#include <QBuffer>
#include <QImageReader>
#include <QSet>

#include <functional>

#include <gtest/gtest.h>

namespace {
bool seventh(int k)  // the items faults hit: the 7th, 14th, ...
{
    return k % 7 == 6;
}

bool decodes(const QByteArray& bytes)
{
    return !QImage::fromData(bytes, "png").isNull();
}

QSize declaredSize(QByteArray bytes)
{
    QBuffer buffer(&bytes);
    return QImageReader(&buffer, "png").size();
}
} // namespace

TEST(Faults, ThumbnailFaultsHitEverySeventhThumbnailOnly)
{
    struct Case {
        const char* fault;
        int status;  // of the hit thumbnails; a case without a body check hits every full-size icon instead
        std::function<bool(const QByteArray& body, const QByteArray& real)> body;
    };
    const std::vector<Case> cases = {
        {"thumb-404", 404, [](auto&, auto&) { return true; }},
        {"thumb-empty", 200, [](auto& b, auto&) { return b.isEmpty(); }},
        {"thumb-one-byte", 200, [](auto& b, auto& real) { return b == real.left(1); }},
        {"thumb-truncated", 200, [](auto& b, auto& real) { return b == real.left(real.size() / 2) && !decodes(b); }},
        {"thumb-garbage", 200, [](auto& b, auto&) { return b.size() >= 2 && !decodes(b); }},
        {"thumb-bomb", 200, [](auto& b, auto&) { return declaredSize(b) == QSize(100000, 100000); }},
        {"full-404", 200, nullptr},
    };
    SiteFixture clean(30);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        SiteFixture site(30, {c.fault});
        for (int i = 0; i < 30; ++i) {
            const SiteAnswer a = site.get(site.target(site.pages().thumbUrl(i)));
            const QByteArray real = clean.images().thumbnail(i);
            const bool hit = c.body && seventh(i);
            EXPECT_EQ(a.status, hit ? c.status : 200) << i;
            EXPECT_TRUE(hit ? c.body(a.body, real) : a.body == real) << i;
            EXPECT_EQ(site.get(site.target(site.pages().fullUrl(i))).status, c.body ? 200 : 404);
        }
        EXPECT_EQ(site.get("/").status, 200);
    }
}

TEST(Faults, DupNamesRepeatsThePreviousImageAddress)
{
    SiteFixture site(60, {"dup-names"});
    const ClientView v = readAsClient(site.get("/").body, site.base());
    ASSERT_EQ(v.images.size(), 30);
    EXPECT_EQ(v.postLinks.size(), 30);
    for (int k = 1; k < 30; ++k)
        EXPECT_EQ(v.imageNames[k] == v.imageNames[k - 1], seventh(k)) << k;
}

TEST(Faults, YearLinksAddsNonPostLinksWithYears)
{
    SiteFixture site(60, {"year-links"});
    const ClientView v = readAsClient(site.get("/").body, site.base());
    EXPECT_EQ(v.images.size(), 30);
    QSet<QString> posts;
    for (int i = 0; i < site.catalogue().size(); ++i)
        posts.insert(site.pages().postUrl(i));
    int yearNonPosts = 0;
    for (const QString& link : v.links)
        yearNonPosts += IconNaming::containsPostYear(link.mid(site.base().size())) && !posts.contains(link);
    EXPECT_GE(yearNonPosts, 4 + 5);     // a date link by every 7th post and the archive months
    EXPECT_GT(v.postLinks.size(), 30);  // the client takes them for posts
}

TEST(Faults, HostileNamesPutDangerousFileNamesOnTheImages)
{
    SiteFixture site(200, {"hostile-names"});
    QStringList names;
    QByteArray markup;
    for (const char* path : {"/", "/page/2", "/page/3"}) {
        markup += site.get(path).body;
        const ClientView v = readAsClient(site.get(path).body, site.base());
        ASSERT_EQ(v.images.size(), 30);
        for (int k = 0; k < 30; ++k) {
            if (seventh(k))
                names << v.imageNames[k];
            else
                EXPECT_TRUE(v.imageNames[k].endsWith("-150x150.png"));
        }
    }
    // As written in the page, and as a browser resolves them (dot segments removed: no name left).
    for (const char* written : {"/..\"", "/%2e%2e\"", "..\\..\\"})
        EXPECT_TRUE(markup.contains(written)) << written;
    const auto any = [&](auto pred) { return std::any_of(names.begin(), names.end(), pred); };
    EXPECT_TRUE(any([](const QString& n) { return n.isEmpty(); }));
    EXPECT_TRUE(any([](const QString& n) { return n.contains('\\') || n.contains("%5C", Qt::CaseInsensitive); }));
    EXPECT_TRUE(any([](const QString& n) { return n.contains(QChar(1)) || n.contains("%01"); }));
    EXPECT_TRUE(any([](const QString& n) { return n.size() >= 300; }));
    // A hostile address still answers with a picture, so the client must judge the name itself.
    const SiteAnswer a = site.get("/wp-content/uploads/2016/05/..%5C..%5Cx-150x150.png");
    EXPECT_EQ(a.status, 200);
    EXPECT_TRUE(decodes(a.body));
}

TEST(Faults, BadMarkupIsBrokenYetParsesToTheSamePostsAndImages)
{
    SiteFixture clean(60);
    SiteFixture site(60, {"bad-markup"});
    const QByteArray body = site.get("/").body;
    for (const char* misnested : {"</div></a>", "</h2></b></a>"})
        EXPECT_TRUE(body.contains(misnested)) << misnested;
    for (const char* unclosed : {"</html>", "</article>"})
        EXPECT_FALSE(body.contains(unclosed)) << unclosed;
    const ClientView broken = readAsClient(body, site.base());
    const ClientView sound = readAsClient(clean.get("/").body, clean.base());
    EXPECT_EQ(broken.postLinks, sound.postLinks);
    EXPECT_EQ(broken.images, sound.images);
    EXPECT_EQ(broken.titles, sound.titles);
}
