// The catalogue and its pages as the client reads them: generated icons and icon folders, page
// shapes and counts, titles and full-size names under the client's rules, paging and its end,
// search, post pages and pictures.
#include "SiteFixture.h"
#include "catalogue-site/IconDirectoryScan.h"
#include "catalogue-site/IconNaming.h"
#include "catalogue-site/IconRenderer.h"
#include "catalogue-site/LoopbackPort.h"
#include "catalogue/CategoryTable.h"
#include "export/DownloadNames.h"

#include <QDir>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <thread>

#include <gtest/gtest.h>

namespace {
// Every link that is not a post link of the page must be free of post years.
void expectNoYearOutsidePosts(const ClientView& v, const QString& base)
{
    const QSet<QString> posts(v.postLinks.begin(), v.postLinks.end());
    for (const QString& link : v.links)
        EXPECT_TRUE(posts.contains(link) || !IconNaming::containsPostYear(link.mid(base.size()))) << link.toStdString();
}
} // namespace

TEST(Catalogue, GeneratedIconsAreWordNamesDatedInThePostYearsNewestFirstCoveringCategories)
{
    SiteFixture site(400);
    const IconCatalogue& c = site.catalogue();
    ASSERT_EQ(c.size(), 400);
    QSet<int> years;
    QStringList compacts;
    for (int i = 0; i < c.size(); ++i) {
        EXPECT_TRUE(QRegularExpression("^[a-z0-9]+(-[a-z0-9]+)*$").match(c.at(i).name).hasMatch());
        EXPECT_TRUE(c.at(i).date >= QDate(2013, 1, 1) && c.at(i).date <= QDate(2017, 12, 31));
        EXPECT_TRUE(i == 0 || c.at(i - 1).date >= c.at(i).date) << i;
        years.insert(c.at(i).date.year());
        compacts << c.at(i).compact;
    }
    EXPECT_EQ(years.size(), 5);
    for (int i = 0; i < CategoryTable::kCount; ++i)
        EXPECT_FALSE(compacts.filter(CategoryTable::slug(i)).isEmpty()) << CategoryTable::slug(i).toStdString();
    SiteFixture small(60);
    for (const char* common : {"arrow-left", "arrow-right", "home", "user", "mail"})
        EXPECT_GE(small.catalogue().indexOfName(common), 0) << common;
}

TEST(Catalogue, IconFoldersGiveSvgAndPngIconsOnTransparentSquaresEachCompactNameOnce)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("apps/nested"));
    QFile svg(dir.filePath("apps/nested/Accessories-Calculator.svg"));
    ASSERT_TRUE(svg.open(QIODevice::WriteOnly));
    svg.write("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"64\" height=\"32\">"
              "<rect width=\"64\" height=\"32\" fill=\"#ff0000\"/></svg>");
    svg.close();
    QImage wide(40, 20, QImage::Format_ARGB32);
    wide.fill(qRgba(0, 0, 255, 255));
    ASSERT_TRUE(wide.save(dir.filePath("apps/folder_home.png")));
    ASSERT_TRUE(wide.save(dir.filePath("apps/nested/folderhome.png")));  // the same compact name
    QFile(dir.filePath("apps/readme.txt")).open(QIODevice::WriteOnly);
    QFile(dir.filePath("apps/___.svg")).open(QIODevice::WriteOnly);

    const std::vector<IconEntry> found = IconDirectoryScan::scan({dir.path()});
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].name, "folder-home");
    EXPECT_EQ(found[1].name, "accessories-calculator");
    const IconCatalogue catalogue(found);
    EXPECT_EQ(catalogue.size(), 2);
    EXPECT_EQ(catalogue.at(catalogue.indexOfName("folder-home")).file, found[0].file);  // the first stays
    // Both keep their aspect ratio, centred: wide pictures leave transparent bands above and below.
    for (int i : {0, 1}) {
        const QImage img = IconRenderer::render(found[size_t(i)], 150);
        ASSERT_EQ(img.size(), QSize(150, 150));
        EXPECT_EQ(qAlpha(img.pixel(75, 5)), 0);
        EXPECT_EQ(qAlpha(img.pixel(2, 75)), 255);
        EXPECT_GT(i == 0 ? qBlue(img.pixel(75, 75)) : qRed(img.pixel(75, 75)), 200);
    }
}

TEST(Catalogue, EachPictureIsRenderedOnceEvenUnderConcurrentRequests)
{
    SiteFixture site(20);
    std::vector<std::thread> threads;
    std::vector<QByteArray> results(16);
    for (int i = 0; i < 16; ++i)
        threads.emplace_back([&, i] { results[size_t(i)] = site.images().fullSize(5); });
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(site.images().renderCount(), 1);
    EXPECT_EQ(results, std::vector<QByteArray>(16, results[0]));
    EXPECT_NE(site.images().thumbnail(5), site.images().fullSize(5));
    EXPECT_EQ(site.images().renderCount(), 2);
}

TEST(Catalogue, FreePortsNeverHoldAPostYear)
{
    for (int port : {42015, 20170})
        EXPECT_TRUE(LoopbackPort::holdsPostYear(port)) << port;
    for (int port : {8123, 20180})
        EXPECT_FALSE(LoopbackPort::holdsPostYear(port)) << port;
    for (int i = 0; i < 20; ++i) {
        const int port = LoopbackPort::pickFree();
        EXPECT_TRUE(port > 0 && !LoopbackPort::holdsPostYear(port)) << port;
    }
}

TEST(ResultPages, ThirtyNewestPostsAPageWithMatchingThumbnailsUntilNotFound)
{
    SiteFixture site(100);
    const QString base = site.base();
    const QByteArray front = site.get("/").body;
    EXPECT_TRUE(front.startsWith("<!DOCTYPE html>"));
    for (const char* part : {"<head>", "<header", "<form role=\"search\"", "<footer", "class=\"pagination\"", "</html>"})
        EXPECT_TRUE(front.contains(part)) << part;
    EXPECT_EQ(site.get("/page/1/").body, front);
    int page = 1;
    for (;; ++page) {
        const SiteAnswer a = site.get(page == 1 ? "/" : "/page/" + std::to_string(page));
        if (a.status == 404) {
            EXPECT_TRUE(a.body.contains("</html>") && a.body.size() < 4000);
            break;
        }
        ASSERT_EQ(a.status, 200);
        EXPECT_EQ(a.contentType, "text/html; charset=UTF-8");
        const ClientView v = readAsClient(a.body, base);
        ASSERT_EQ(v.postLinks.size(), page < 4 ? 30 : 10);
        ASSERT_EQ(v.images.size(), v.postLinks.size());
        expectNoYearOutsidePosts(v, base);
        for (int k = 0; k < v.postLinks.size(); ++k) {
            const IconEntry& icon = site.catalogue().at((page - 1) * 30 + k);
            EXPECT_EQ(v.postLinks[k], base + icon.postPath());
            EXPECT_EQ(v.titles[k], QString(icon.name).replace("-", ", "));
            EXPECT_EQ(v.images[k], base + "wp-content/uploads/" + icon.uploadFolder() + icon.thumbName());
            // The client's derivations from the thumbnail name lead to the full-size icon.
            const QString full = DownloadNames::derive(v.imageNames[k]).fullSizeUrl(base);
            EXPECT_EQ(site.get(site.target(full)).status, 200) << full.toStdString();
        }
        ASSERT_LT(page, 10);
    }
    EXPECT_EQ(page, 5);
}

TEST(ResultPages, SearchListsMatchingIconsInOrderAndPagesThem)
{
    SiteFixture site(400);
    const auto matching = [&](const QString& compact) {
        QStringList posts;
        for (int i = 0; i < site.catalogue().size(); ++i) {
            if (site.catalogue().at(i).compact.contains(compact))
                posts << site.base() + site.catalogue().at(i).postPath();
        }
        return posts;
    };
    const auto found = [&](const std::string& target) {
        const SiteAnswer a = site.get(target);
        EXPECT_EQ(a.status, 200) << target;
        const ClientView v = readAsClient(a.body, site.base());
        EXPECT_EQ(v.images.size(), v.postLinks.size()) << target;
        expectNoYearOutsidePosts(v, site.base());
        return v.postLinks;
    };
    ASSERT_GT(matching("arrow").size(), 30);  // the generated set gives arrows two pages
    ASSERT_LE(matching("arrow").size(), 60);
    EXPECT_EQ(found("/?s=arrow") + found("/page/2/?s=arrow"), matching("arrow"));
    EXPECT_EQ(site.get("/page/3/?s=arrow").status, 404);
    // Case-insensitive, percent-decoded, against the name without separators.
    ASSERT_FALSE(matching("arrowleft").isEmpty());
    EXPECT_EQ(found("/?s=%41RROW%4ceft"), matching("arrowleft"));
    // Nothing found: one page without posts, then the end.
    EXPECT_TRUE(found("/?s=zebraunicorn").isEmpty());
    EXPECT_EQ(site.get("/page/2/?s=zebraunicorn").status, 404);
    found("/?s=2015");  // a keyword holding a year does not put it into the page's other links
}

TEST(ResultPages, PostPagesAndPicturesAnswerForListedIconsOnly)
{
    SiteFixture site(40);
    const IconEntry& icon = site.catalogue().at(3);
    const SiteAnswer post = site.get("/" + icon.postPath().toStdString());
    ASSERT_EQ(post.status, 200);
    EXPECT_TRUE(post.body.contains(("<h1 class=\"entry-title\">" + icon.title() + "</h1>").toUtf8()));
    EXPECT_TRUE(post.body.contains(("src=\"" + site.pages().fullUrl(3) + "\"").toUtf8()));
    EXPECT_TRUE(post.body.contains("Licence:"));
    QString wrongDay = icon.postPath();
    wrongDay[9] = wrongDay[9] == '1' ? '2' : '1';
    QString wrongMonth = icon.uploadFolder();
    wrongMonth[6] = wrongMonth[6] == '1' ? '2' : '1';
    for (const QString& missing : {wrongDay, QString("2016/01/01/no-such-icon/"), QString("robots.txt"),
                                   "wp-content/uploads/" + wrongMonth + icon.thumbName(),
                                   QString("wp-content/uploads/2016/05/nothing-150x150.png")})
        EXPECT_EQ(site.get("/" + missing.toStdString()).status, 404) << missing.toStdString();

    QSet<QRgb> centres;  // coloured shapes on a transparent ground
    for (int i = 0; i < 12; ++i) {
        const SiteAnswer thumb = site.get(site.target(site.pages().thumbUrl(i)));
        EXPECT_EQ(thumb.contentType, "image/png");
        const QImage t = QImage::fromData(thumb.body, "png");
        EXPECT_EQ(t.size(), QSize(150, 150));
        EXPECT_TRUE(t.hasAlphaChannel());
        const QImage f = QImage::fromData(site.get(site.target(site.pages().fullUrl(i))).body, "png");
        ASSERT_EQ(f.size(), QSize(512, 512));
        EXPECT_EQ(qAlpha(f.pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(f.pixel(256, 256)), 255) << i;
        centres.insert(f.pixel(256, 256));
    }
    EXPECT_GT(centres.size(), 3);
}
