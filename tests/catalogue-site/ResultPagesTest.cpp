// Result pages, post pages and files as the client reads them: page shapes and counts, titles and
// full-size names under the client's rules, paging and its end, search semantics.
#include "SiteFixture.h"
#include "catalogue-site/IconNaming.h"

#include <QImage>
#include <QSet>

#include <thread>

#include <gtest/gtest.h>

namespace {
QString target(const QString& url, const QString& base)
{
    return "/" + url.mid(base.size());
}

// Every link that is not a post link of the page must be free of post years.
void expectNoYearOutsidePosts(const ClientView& v, const QString& base)
{
    const QSet<QString> posts(v.postLinks.begin(), v.postLinks.end());
    for (const QString& link : v.links) {
        if (!posts.contains(link)) {
            EXPECT_FALSE(IconNaming::containsPostYear(link.mid(base.size()))) << link.toStdString();
        }
    }
}
} // namespace

TEST(ResultPages, FrontPageListsThirtyNewestPostsWithMatchingThumbnails)
{
    SiteFixture site(400);
    const QString base = site.base();
    const SiteAnswer a = site.responder().answer("/");
    ASSERT_EQ(a.status, 200);
    EXPECT_EQ(a.contentType, "text/html; charset=UTF-8");
    EXPECT_TRUE(a.body.startsWith("<!DOCTYPE html>"));
    for (const char* part : {"<head>", "<header", "<form role=\"search\"", "<footer", "class=\"pagination\"", "</html>"})
        EXPECT_TRUE(a.body.contains(part)) << part;

    const ClientView v = readAsClient(a.body, base, base);
    ASSERT_TRUE(v.parsed);
    ASSERT_EQ(v.postLinks.size(), 30);
    ASSERT_EQ(v.images.size(), 30);
    expectNoYearOutsidePosts(v, base);
    for (int k = 0; k < 30; ++k) {
        const IconEntry& icon = site.catalogue().at(k);
        EXPECT_EQ(v.postLinks[k], base + icon.postPath());
        EXPECT_EQ(v.titles[k], QString(icon.name).replace("-", ", "));
        EXPECT_EQ(v.imageNames[k], icon.thumbName());
        // The client's derivations from the thumbnail name lead to the full-size icon.
        const QString thumb = v.imageNames[k];
        EXPECT_EQ(folderFromThumb(thumb), icon.uploadFolder());
        EXPECT_EQ(v.images[k], base + "wp-content/uploads/" + folderFromThumb(thumb) + thumb);
        const QString full = "wp-content/uploads/" + folderFromThumb(thumb) + fullNameFromThumb(thumb);
        EXPECT_EQ(site.responder().answer(("/" + full).toStdString()).status, 200) << full.toStdString();
    }
}

TEST(ResultPages, PagingCoversEveryIconOnceAndEndsWithNotFound)
{
    SiteFixture site(100);
    const QString base = site.base();
    QStringList seen;
    int page = 1;
    for (;; ++page) {
        const std::string path = page == 1 ? "/" : "/page/" + std::to_string(page);
        const SiteAnswer a = site.responder().answer(path);
        if (a.status == 404) {
            EXPECT_TRUE(a.body.contains("</html>"));
            EXPECT_LT(a.body.size(), 4000);
            break;
        }
        ASSERT_EQ(a.status, 200);
        const ClientView v = readAsClient(a.body, base + QString::fromLatin1(path).mid(1), base);
        EXPECT_EQ(v.postLinks.size(), v.images.size());
        EXPECT_EQ(v.postLinks.size(), page < 4 ? 30 : 10);
        expectNoYearOutsidePosts(v, base);
        seen += v.postLinks;
        ASSERT_LT(page, 10);
    }
    EXPECT_EQ(page, 5);
    EXPECT_EQ(seen.size(), 100);
    EXPECT_EQ(QSet<QString>(seen.begin(), seen.end()).size(), 100);
    EXPECT_EQ(site.responder().answer("/page/1").body, site.responder().answer("/").body);
    EXPECT_EQ(site.responder().answer("/page/4/").status, 200);
}

TEST(ResultPages, SearchListsMatchingIconsInOrderAndPagesThem)
{
    SiteFixture site(400);
    const QString base = site.base();
    const std::vector<int> expected = site.catalogue().search("arrow");
    ASSERT_GT(expected.size(), 30u);  // the generated set gives arrows two pages
    ASSERT_LE(expected.size(), 60u);

    QStringList links;
    for (const char* path : {"/?s=arrow", "/page/2/?s=arrow"}) {
        const SiteAnswer a = site.responder().answer(path);
        ASSERT_EQ(a.status, 200);
        const ClientView v = readAsClient(a.body, base + QString::fromLatin1(path).mid(1), base);
        EXPECT_EQ(v.postLinks.size(), v.images.size());
        expectNoYearOutsidePosts(v, base);
        links += v.postLinks;
    }
    ASSERT_EQ(links.size(), int(expected.size()));
    for (size_t k = 0; k < expected.size(); ++k)
        EXPECT_EQ(links[int(k)], base + site.catalogue().at(expected[k]).postPath());
    EXPECT_EQ(site.responder().answer("/page/3/?s=arrow").status, 404);

    // Case-insensitive, percent-decoded, against the name without separators.
    const ClientView upper = readAsClient(site.responder().answer("/?s=%41RROWLEFT").body, base, base);
    const ClientView lower = readAsClient(site.responder().answer("/?s=arrowleft").body, base, base);
    EXPECT_FALSE(lower.postLinks.isEmpty());
    EXPECT_EQ(upper.postLinks, lower.postLinks);
    for (const QString& link : lower.postLinks)
        EXPECT_TRUE(IconNaming::compact(link).contains("arrowleft"));

    // Nothing found: one page without posts, then the end.
    const SiteAnswer none = site.responder().answer("/?s=zebraunicorn");
    EXPECT_EQ(none.status, 200);
    EXPECT_TRUE(readAsClient(none.body, base, base).postLinks.isEmpty());
    EXPECT_TRUE(readAsClient(none.body, base, base).images.isEmpty());
    EXPECT_EQ(site.responder().answer("/page/2/?s=zebraunicorn").status, 404);

    // A keyword holding a year does not put that year into the page's other links.
    const SiteAnswer year = site.responder().answer("/?s=2015");
    EXPECT_EQ(year.status, 200);
    expectNoYearOutsidePosts(readAsClient(year.body, base, base), base);
}

TEST(ResultPages, PostPagesAndImagesAnswerForListedIconsOnly)
{
    SiteFixture site(40);
    const QString base = site.base();
    const IconEntry& icon = site.catalogue().at(3);
    const SiteAnswer post = site.responder().answer(("/" + icon.postPath()).toStdString());
    ASSERT_EQ(post.status, 200);
    EXPECT_TRUE(post.body.contains(("<h1 class=\"entry-title\">" + icon.title() + "</h1>").toUtf8()));
    EXPECT_TRUE(post.body.contains(("src=\"" + site.responder().pages().fullUrl(3) + "\"").toUtf8()));
    EXPECT_TRUE(post.body.contains("Licence:"));

    QString wrongDay = icon.postPath();
    wrongDay[9] = wrongDay[9] == '1' ? '2' : '1';
    EXPECT_EQ(site.responder().answer(("/" + wrongDay).toStdString()).status, 404);
    EXPECT_EQ(site.responder().answer("/2016/01/01/no-such-icon/").status, 404);

    const SiteAnswer thumb = site.responder().answer(target(site.responder().pages().thumbUrl(3), base).toStdString());
    ASSERT_EQ(thumb.status, 200);
    EXPECT_EQ(thumb.contentType, "image/png");
    const QImage t = QImage::fromData(thumb.body, "png");
    EXPECT_EQ(t.size(), QSize(150, 150));
    EXPECT_TRUE(t.hasAlphaChannel());
    const SiteAnswer full = site.responder().answer(target(site.responder().pages().fullUrl(3), base).toStdString());
    ASSERT_EQ(full.status, 200);
    const QImage f = QImage::fromData(full.body, "png");
    EXPECT_EQ(f.size(), QSize(512, 512));
    EXPECT_TRUE(f.hasAlphaChannel());
    EXPECT_EQ(qAlpha(f.pixel(0, 0)), 0);

    const QString other = site.catalogue().at(4).uploadFolder() == icon.uploadFolder() ? "2012/01/" : site.catalogue().at(4).uploadFolder();
    EXPECT_EQ(site.responder().answer(("/wp-content/uploads/" + other + icon.thumbName()).toStdString()).status, 404);
    EXPECT_EQ(site.responder().answer("/wp-content/uploads/2016/05/nothing-150x150.png").status, 404);
    EXPECT_EQ(site.responder().answer("/robots.txt").status, 404);
}

TEST(ImageStore, RendersEachPictureOnceEvenUnderConcurrentRequests)
{
    SiteFixture site(20);
    ImageStore& store = site.images();
    EXPECT_EQ(store.renderCount(), 0);
    std::vector<std::thread> threads;
    std::vector<QByteArray> results(16);
    for (int i = 0; i < 16; ++i)
        threads.emplace_back([&, i] { results[size_t(i)] = store.fullSize(5); });
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(store.renderCount(), 1);
    for (const QByteArray& r : results)
        EXPECT_EQ(r, results[0]);
    EXPECT_NE(store.thumbnail(5), results[0]);
    EXPECT_EQ(store.renderCount(), 2);
    EXPECT_EQ(store.thumbnail(5), store.thumbnail(5));
    EXPECT_EQ(store.renderCount(), 2);
    EXPECT_TRUE(store.thumbnail(20).isEmpty());
    EXPECT_TRUE(store.thumbnail(-1).isEmpty());
}
