// The catalogue and its answers as the client reads them: generated icons and icon folders, page
// shapes and counts, titles and full-size names under the client's rules, paging and its end,
// search, post pages and pictures, and each fault on its own.
#include "SiteFixture.h"
#include "catalogue-site/IconDirectoryScan.h"
#include "catalogue-site/IconNaming.h"
#include "catalogue-site/IconRenderer.h"
#include "catalogue-site/LoopbackPort.h"
#include "catalogue/CategoryTable.h"
#include "catalogue/LinkPass.h"
#include "export/DownloadNames.h"
#include "platform/HtmlDocument.h"
#include "platform/SiteAddress.h"

#include <QBuffer>
#include <QDir>
#include <QImageReader>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <functional>
#include <future>
#include <tuple>

#include <gtest/gtest.h>

namespace
{
// A result page as the client reads it: links and images of the parsed document, the records of
// its link pass, and the file names of the images.
struct ClientView {
    QStringList links, images, imageNames, titles, postLinks;
};

ClientView readAsClient(const QByteArray& html, const QString& base)
{
    ClientView view;
    HtmlDocument::Limits limits;
    limits.maxItems = 5000;
    const HtmlDocument::Reading reading = HtmlDocument::read(html, QUrl(base), limits);
    EXPECT_TRUE(SiteAddress::setBase(base));
    EXPECT_EQ(reading.outcome, HtmlDocument::Outcome::Read) << "the page does not parse";
    view.links = reading.document.links();
    view.images = reading.document.images();
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

// Every link that is not a post link of the page must be free of post years.
void expectNoYearOutsidePosts(const ClientView& v, const QString& base)
{
    for (const QString& link : v.links)
        EXPECT_TRUE(v.postLinks.contains(link) || !IconNaming::containsPostYear(link.mid(base.size())))
            << qPrintable(link);
}

// Faults hit the 7th, 14th, ... item.
bool seventh(int k)
{
    return k % 7 == 6;
}

bool decodes(const QByteArray& bytes)
{
    return !QImage::fromData(bytes, "png").isNull();
}
} // namespace

TEST(Catalogue, GeneratedIconsAreWordNamesDatedInThePostYearsNewestFirstCoveringCategories)
{
    const SiteFixture site(400);
    const IconCatalogue& c = site.catalogue;
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
        EXPECT_FALSE(compacts.filter(CategoryTable::slug(i)).isEmpty())
            << CategoryTable::slug(i).toStdString();
    const SiteFixture small(60);
    for (const char* common : {"arrow-left", "arrow-right", "home", "user", "mail"})
        EXPECT_GE(small.catalogue.indexOfName(common), 0) << common;
}

TEST(Catalogue, IconFoldersGiveSvgAndPngIconsOnTransparentSquaresEachCompactNameOnce)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("apps/nested"));
    QFile svg(dir.filePath("apps/nested/Accessories-Calculator.svg"));
    ASSERT_TRUE(svg.open(QIODevice::WriteOnly));
    svg.write("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"64\" height=\"32\">"
              "<rect width=\"64\" height=\"32\" fill=\"red\"/></svg>");
    svg.close();
    QImage wide(40, 20, QImage::Format_ARGB32);
    wide.fill(qRgba(0, 0, 255, 255));
    ASSERT_TRUE(wide.save(dir.filePath("apps/folder_home.png")));
    ASSERT_TRUE(wide.save(dir.filePath("apps/nested/folderhome.png"))); // the same compact name
    QFile(dir.filePath("apps/readme.txt")).open(QIODevice::WriteOnly);
    QFile(dir.filePath("apps/___.svg")).open(QIODevice::WriteOnly);

    const std::vector<IconEntry> found = IconDirectoryScan::scan({dir.path()});
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].name, "folder-home");
    EXPECT_EQ(found[1].name, "accessories-calculator");
    const IconCatalogue catalogue(found);
    EXPECT_EQ(catalogue.size(), 2);
    EXPECT_EQ(catalogue.at(catalogue.indexOfName("folder-home")).file, found[0].file); // the first stays
    // Both drawn whole and centred on a transparent square, filling it but for a margin of 6 pixels:
    // wide pictures leave bands above and below.
    const QImage png = IconRenderer::render(found[0], 150), drawn = IconRenderer::render(found[1], 150);
    for (const auto& [image, channel] : {std::pair{png, 2}, {drawn, 0}}) {
        const QRgb edge = image.pixel(7, 75);
        EXPECT_TRUE(image.size() == QSize(150, 150) && qAlpha(image.pixel(75, 5)) == 0 &&
                    qAlpha(image.pixel(4, 75)) == 0 && qAlpha(image.pixel(145, 75)) == 0);
        EXPECT_GT((channel == 2 ? qBlue(edge) : qRed(edge)), 200);
    }
    // A drawing in a corner of a large empty page is found and fills the square too.
    QFile small(dir.filePath("apps/dot.svg"));
    ASSERT_TRUE(small.open(QIODevice::WriteOnly));
    small.write("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"1000\" height=\"1000\">"
                "<circle cx=\"900\" cy=\"100\" r=\"40\" fill=\"lime\"/></svg>");
    small.close();
    IconEntry dot;
    dot.file = small.fileName();
    const QImage filled = IconRenderer::render(dot, 150);
    EXPECT_GT(qGreen(filled.pixel(75, 75)), 200);
    EXPECT_GT(qAlpha(filled.pixel(75, 12)), 200);
}

TEST(Catalogue, EachPictureIsRenderedOnceEvenUnderConcurrentRequests)
{
    SiteFixture site(20);
    std::vector<std::future<QByteArray>> renders;
    for (int i = 0; i < 16; ++i)
        renders.push_back(std::async(std::launch::async, [&] { return site.images.fullSize(5); }));
    for (auto& r : renders)
        EXPECT_EQ(r.get(), site.images.fullSize(5));
    EXPECT_EQ(site.images.renderCount(), 1);
}

TEST(Catalogue, FreePortsNeverHoldAPostYear)
{
    for (const auto& [port, holds] : {std::pair{42015, true}, {20170, true}, {8123, false}, {20180, false}})
        EXPECT_EQ(LoopbackPort::holdsPostYear(port), holds) << port;
    for (int i = 0, port = 0; i < 20; ++i)
        EXPECT_TRUE((port = LoopbackPort::pickFree()) > 0 && !LoopbackPort::holdsPostYear(port)) << port;
}

TEST(ResultPages, ThirtyNewestPostsAPageWithMatchingThumbnailsUntilNotFound)
{
    const SiteFixture site(100);
    const QByteArray front = site.get("/").body;
    EXPECT_TRUE(front.startsWith("<!DOCTYPE html>"));
    for (const char* part :
         {"<head>", "<header", "<form role=\"search\"", "<footer", "pagination", "</html>"})
        EXPECT_TRUE(front.contains(part)) << part;
    EXPECT_EQ(site.get("/page/1/").body, front);
    int page = 1;
    for (; page < 10; ++page) {
        const SiteAnswer a = site.get(page == 1 ? "/" : "/page/" + std::to_string(page));
        if (a.status == 404) {
            EXPECT_TRUE(a.body.contains("</html>") && a.body.size() < 4000);
            break;
        }
        ASSERT_EQ(a.status, 200);
        const ClientView v = readAsClient(a.body, site.base);
        ASSERT_EQ(v.postLinks.size(), page < 4 ? 30 : 10);
        ASSERT_EQ(v.images.size(), v.postLinks.size());
        expectNoYearOutsidePosts(v, site.base);
        for (int k = 0; k < v.postLinks.size(); ++k) {
            const IconEntry& icon = site.catalogue.at((page - 1) * 30 + k);
            EXPECT_EQ(v.postLinks[k], site.base + icon.postPath());
            EXPECT_EQ(v.titles[k], QString(icon.name).replace("-", ", "));
            EXPECT_EQ(v.images[k],
                      site.base + "wp-content/uploads/" + icon.uploadFolder() + icon.thumbName());
            // The client's derivations from the thumbnail name lead to the full-size icon.
            const QString full = DownloadNames::derive(v.imageNames[k]).fullSizeUrl(site.base);
            EXPECT_EQ(site.get(site.target(full)).status, 200) << full.toStdString();
        }
    }
    EXPECT_EQ(page, 5);
}

TEST(ResultPages, SearchListsMatchingIconsInOrderAndPagesThem)
{
    const SiteFixture site(400);
    const auto matching = [&](const QString& compact) {
        QStringList posts;
        for (int i = 0; i < site.catalogue.size(); ++i)
            if (site.catalogue.at(i).compact.contains(compact))
                posts << site.base + site.catalogue.at(i).postPath();
        return posts;
    };
    const auto found = [&](const std::string& target) {
        const SiteAnswer a = site.get(target);
        EXPECT_EQ(a.status, 200) << target;
        const ClientView v = readAsClient(a.body, site.base);
        EXPECT_EQ(v.images.size(), v.postLinks.size()) << target;
        expectNoYearOutsidePosts(v, site.base);
        return v.postLinks;
    };
    ASSERT_TRUE(matching("arrow").size() > 30 && matching("arrow").size() <= 60); // two pages of arrows
    EXPECT_EQ(found("/?s=arrow") + found("/page/2/?s=arrow"), matching("arrow"));
    EXPECT_EQ(site.get("/page/3/?s=arrow").status, 404);
    // Case-insensitive, percent-decoded, against the name without separators.
    ASSERT_FALSE(matching("arrowleft").isEmpty());
    EXPECT_EQ(found("/?s=%41RROW%4ceft"), matching("arrowleft"));
    // Nothing found: one page without posts, then the end.
    EXPECT_TRUE(found("/?s=zebraunicorn").isEmpty());
    EXPECT_EQ(site.get("/page/2/?s=zebraunicorn").status, 404);
    found("/?s=2015"); // a keyword holding a year does not put it into the page's other links
}

TEST(ResultPages, PostPagesAndPicturesAnswerForListedIconsOnly)
{
    const SiteFixture site(40);
    const IconEntry& icon = site.catalogue.at(3);
    const QByteArray post = site.get("/" + icon.postPath().toStdString()).body;
    EXPECT_TRUE(post.contains(("<h1 class=\"entry-title\">" + icon.title() + "</h1>").toUtf8()));
    EXPECT_TRUE(post.contains(("src=\"" + site.responder.pages().fullUrl(3) + "\"").toUtf8()));
    EXPECT_TRUE(post.contains("Licence:"));
    // Another date, another upload folder, no such icon, no such file.
    const QString otherFolder = "wp-content/uploads/" + icon.date.addMonths(1).toString("yyyy/MM/");
    for (const QString& missing :
         {icon.date.addDays(1).toString("yyyy/MM/dd/") + icon.name + "/", otherFolder + icon.thumbName(),
          QString("2016/01/01/no-such-icon/"), QString("robots.txt"),
          QString("wp-content/uploads/2016/05/nothing-150x150.png")})
        EXPECT_EQ(site.get("/" + missing.toStdString()).status, 404) << missing.toStdString();

    QSet<QRgb> centres; // coloured shapes on a transparent ground
    for (int i = 0; i < 12; ++i) {
        const SiteAnswer thumb = site.get(site.target(site.responder.pages().thumbUrl(i)));
        const QImage t = QImage::fromData(thumb.body, "png");
        EXPECT_TRUE(thumb.contentType == "image/png" && t.size() == QSize(150, 150) && t.hasAlphaChannel())
            << i;
        const QImage f =
            QImage::fromData(site.get(site.target(site.responder.pages().fullUrl(i))).body, "png");
        EXPECT_TRUE(f.size() == QSize(512, 512) && qAlpha(f.pixel(0, 0)) == 0 &&
                    qAlpha(f.pixel(256, 256)) == 255)
            << i;
        centres.insert(f.pixel(256, 256));
    }
    EXPECT_GT(centres.size(), 3);
}

TEST(Faults, ThumbnailFaultsHitEverySeventhThumbnailOnly)
{
    // The fault, the status of the thumbnails it hits and their body; without a body check it hits
    // every full-size icon instead.
    using BodyCheck = std::function<bool(const QByteArray& body, const QByteArray& real)>;
    const std::vector<std::tuple<const char*, int, BodyCheck>> cases = {
        {"thumb-404", 404, [](auto&, auto&) { return true; }},
        {"thumb-empty", 200, [](auto& b, auto&) { return b.isEmpty(); }},
        {"thumb-one-byte", 200, [](auto& b, auto& real) { return b == real.left(1); }},
        {"thumb-truncated", 200,
         [](auto& b, auto& real) { return b == real.left(real.size() / 2) && !decodes(b); }},
        {"thumb-garbage", 200, [](auto& b, auto&) { return b.size() >= 2 && !decodes(b); }},
        {"thumb-bomb", 200,
         [](QByteArray b, auto&) {
             QBuffer in(&b);
             return QImageReader(&in).size() == QSize(100000, 100000);
         }},
        {"full-404", 200, nullptr},
    };
    SiteFixture clean(30);
    for (const auto& [fault, status, body] : cases) {
        SCOPED_TRACE(fault);
        const SiteFixture site(30, {fault});
        for (int i = 0; i < 30; ++i) {
            const SiteAnswer a = site.get(site.target(site.responder.pages().thumbUrl(i)));
            const bool hit = body && seventh(i);
            EXPECT_EQ(a.status, hit ? status : 200) << i;
            EXPECT_TRUE(hit ? body(a.body, clean.images.thumbnail(i)) : a.body == clean.images.thumbnail(i))
                << i;
            EXPECT_EQ(site.get(site.target(site.responder.pages().fullUrl(i))).status, body ? 200 : 404);
        }
    }
}

TEST(Faults, PageFaultsDupNamesYearLinksAndBadMarkup)
{
    const SiteFixture clean(60);
    const ClientView sound = readAsClient(clean.get("/").body, clean.base);
    const SiteFixture dup(60, {"dup-names"});
    const ClientView d = readAsClient(dup.get("/").body, dup.base);
    ASSERT_TRUE(d.images.size() == 30 && d.postLinks.size() == 30);
    for (int k = 1; k < 30; ++k)
        EXPECT_EQ(d.imageNames[k] == d.imageNames[k - 1], seventh(k)) << k;

    const SiteFixture years(60, {"year-links"});
    const ClientView y = readAsClient(years.get("/").body, years.base);
    EXPECT_EQ(y.images.size(), 30);
    int yearNonPosts = 0;
    for (const QString& link : y.links)
        yearNonPosts +=
            IconNaming::containsPostYear(link.mid(years.base.size())) && !sound.postLinks.contains(link);
    EXPECT_GE(yearNonPosts, 4 + 5);    // a date link by every 7th post and the archive months
    EXPECT_GT(y.postLinks.size(), 30); // the client takes them for posts

    const SiteFixture bad(60, {"bad-markup"});
    const QByteArray body = bad.get("/").body;
    // Misnested and unclosed tags.
    for (const auto& [tags, present] :
         {std::pair{"</div></a>", true}, {"</h2></b></a>", true}, {"</html>", false}, {"</article>", false}})
        EXPECT_EQ(body.contains(tags), present) << tags;
    const ClientView broken = readAsClient(body, bad.base); // yet the same posts and images
    EXPECT_EQ(broken.postLinks, sound.postLinks);
    EXPECT_EQ(broken.images, sound.images);
    EXPECT_EQ(broken.titles, sound.titles);
}

TEST(Faults, HostileNamesPutDangerousFileNamesOnTheImages)
{
    const SiteFixture site(200, {"hostile-names"});
    QStringList names;
    QByteArray markup;
    for (const char* path : {"/", "/page/2", "/page/3"}) {
        markup += site.get(path).body;
        const ClientView v = readAsClient(site.get(path).body, site.base);
        ASSERT_EQ(v.images.size(), 30);
        for (int k = 0; k < 30; ++k) {
            if (seventh(k))
                names << v.imageNames[k];
            else
                EXPECT_TRUE(v.imageNames[k].endsWith("-150x150.png"));
        }
    }
    // As written in the page, and as a browser resolves them (dot segments removed: no name left).
    for (const char* written : {"/..\"", "/%2e%2e\""})
        EXPECT_TRUE(markup.contains(written)) << written;
    const auto any = [&](auto pred) { return std::any_of(names.begin(), names.end(), pred); };
    EXPECT_TRUE(
        any([](const QString& n) { return n.contains('\\') || n.contains("%5C", Qt::CaseInsensitive); }));
    EXPECT_TRUE(any([](const QString& n) { return n.contains(QChar(1)) || n.contains("%01"); }));
    EXPECT_TRUE(any([](const QString& n) { return n.size() >= 300; }));
    // A hostile address still answers with a picture, so the client must judge the name itself.
    EXPECT_TRUE(decodes(site.get("/wp-content/uploads/2016/05/..%5C..%5Cx-150x150.png").body));
}
