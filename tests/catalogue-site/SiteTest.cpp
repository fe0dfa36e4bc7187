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
    EXPECT_TRUE(SiteAddress::isValidBase(base));
    EXPECT_EQ(reading.outcome, HtmlDocument::Outcome::Read) << "the page does not parse";
    view.links = reading.document.links();
    view.images = reading.document.images();
    for (const QString& image : view.images)
        view.imageNames << fileNameFromUrl(image);
    std::vector<IconRecord> records;
    int count = 0;
    LinkPass::run(view.links, records, count, base);
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
constexpr auto seventh = [](int k) { return k % 7 == 6; };
const auto decodes = [](const QByteArray& bytes) { return !QImage::fromData(bytes, "png").isNull(); };
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
        EXPECT_TRUE(i == 0 || c.at(i - 1).date >= c.at(i).date) << i;
        years.insert(c.at(i).date.year());
        compacts << c.at(i).compact;
    }
    EXPECT_EQ(years, QSet<int>({2013, 2014, 2015, 2016, 2017}));
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
    const QString apps = dir.filePath("apps/");
    // A drawing in a corner of a large empty page, a wide PNG twice under one compact name, a wide
    // SVG, and files that are no icons.
    writeFile(apps + "dot.svg", "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"1000\" height=\"1000\">"
                                "<circle cx=\"900\" cy=\"100\" r=\"40\" fill=\"lime\"/></svg>");
    writeFile(apps + "nested/Accessories-Calculator.svg", svgRect("red", 64, 32));
    QImage wide(40, 20, QImage::Format_ARGB32);
    wide.fill(qRgba(0, 0, 255, 255));
    ASSERT_TRUE(wide.save(apps + "folder_home.png") && wide.save(apps + "nested/folderhome.png"));
    writeFile(apps + "readme.txt", {});
    writeFile(apps + "___.svg", {});

    const std::vector<IconEntry> found = IconDirectoryScan::scan({dir.path()});
    ASSERT_EQ(found.size(), 4u);
    EXPECT_EQ(found[1].name, "folder-home");
    EXPECT_EQ(found[2].name, "accessories-calculator");
    const IconCatalogue catalogue(found);
    EXPECT_EQ(catalogue.size(), 3);
    EXPECT_EQ(catalogue.at(catalogue.indexOfName("folder-home")).file, found[1].file); // the first stays
    // Each drawn whole and centred on a transparent square, filling it but for a margin of 6 pixels:
    // wide pictures leave bands above and below.
    for (const auto& [index, colour, bands] :
         {std::tuple{0, Qt::green, false}, {1, Qt::blue, true}, {2, Qt::red, true}}) {
        const QImage image = IconRenderer::render(found[size_t(index)], 150);
        EXPECT_TRUE(image.size() == QSize(150, 150) && qAlpha(image.pixel(75, 5)) == 0 &&
                    qAlpha(image.pixel(4, 75)) == 0 && qAlpha(image.pixel(145, 75)) == 0)
            << index;
        for (const QPoint p : {QPoint(8, 75), QPoint(75, 75)})
            EXPECT_EQ(image.pixel(p), QColor(colour).rgb()) << index;
        EXPECT_EQ(qAlpha(image.pixel(75, 30)) == 0, bands) << index;
    }
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
    int page = 1;
    for (; page < 10; ++page) {
        const SiteAnswer a = site.get(page == 1 ? "/" : "/page/" + std::to_string(page));
        if (a.status == 404)
            break;
        ASSERT_EQ(a.status, 200);
        const ClientView v = readAsClient(a.body, site.base);
        ASSERT_EQ(v.postLinks.size(), page < 4 ? 30 : 10);
        ASSERT_EQ(v.images.size(), v.postLinks.size());
        expectNoYearOutsidePosts(v, site.base);
        for (int k = 0; k < v.postLinks.size(); ++k) {
            const IconEntry& icon = site.catalogue.at((page - 1) * 30 + k);
            EXPECT_EQ(v.postLinks[k], site.base + icon.postPath());
            EXPECT_EQ(v.titles[k], QString(icon.name).replace("-", ", "));
            // The client's derivations from the thumbnail name lead to the full-size icon.
            const QString full = DownloadNames::derive(v.imageNames[k]).fullSizeUrl(site.base);
            EXPECT_EQ(site.get(site.target(full)).status, 200) << full.toStdString();
        }
    }
    EXPECT_EQ(page, 5);
}

TEST(ResultPages, SearchListsMatchingIconsOnceAndPagesThem)
{
    const SiteFixture site(400);
    // The posts whose name holds the words, whole.
    const auto matching = [&](const QStringList& words) {
        QSet<QString> posts;
        for (int i = 0; i < site.catalogue.size(); ++i) {
            const QStringList name = site.catalogue.at(i).name.split('-');
            if (std::all_of(words.begin(), words.end(), [&](const QString& w) { return name.contains(w); }))
                posts << site.base + site.catalogue.at(i).postPath();
        }
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
    ASSERT_TRUE(matching({"arrow"}).size() > 30 && matching({"arrow"}).size() <= 60); // two pages of arrows
    const QStringList arrows = found("/?s=arrow") + found("/page/2/?s=arrow");
    EXPECT_EQ(arrows.size(), matching({"arrow"}).size());
    EXPECT_EQ(QSet<QString>(arrows.begin(), arrows.end()), matching({"arrow"}));
    EXPECT_EQ(site.get("/page/3/?s=arrow").status, 404);
    // Case-insensitive and percent-decoded; words joined by "+" or written together.
    const QSet<QString> arrowLeft = matching({"arrow", "left"});
    ASSERT_FALSE(arrowLeft.isEmpty());
    for (const std::string target : {"/?s=%41RROW%4ceft", "/?s=arrow+left", "/?s=left+arrow"}) {
        const QStringList posts = found(target);
        EXPECT_EQ(QSet<QString>(posts.begin(), posts.end()), arrowLeft) << target;
    }
    found("/?s=2015"); // a keyword holding a year does not put it into the page's other links
}

TEST(ResultPages, PostPagesAndPicturesAnswerForListedIconsOnly)
{
    const SiteFixture site(40);
    const IconEntry& icon = site.catalogue.at(3);
    const QByteArray post = site.get("/" + icon.postPath().toStdString()).body;
    EXPECT_TRUE(post.contains(("<h1 class=\"entry-title\">" + icon.title() + "</h1>").toUtf8()));
    EXPECT_TRUE(post.contains(("src=\"" + site.responder.pages().fullUrl(3) + "\"").toUtf8()));
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
        const QImage f =
            QImage::fromData(site.get(site.target(site.responder.pages().fullUrl(i))).body, "png");
        EXPECT_TRUE(thumb.contentType == "image/png" && t.size() == QSize(150, 150) &&
                    qAlpha(t.pixel(0, 0)) == 0 && f.size() == QSize(512, 512) && qAlpha(f.pixel(0, 0)) == 0 &&
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

// Duplicate names and markup the client copes with are checked by the client's own tests against
// the site; here that the faults are there at all.
TEST(Faults, PageFaultsYearLinksAndBadMarkup)
{
    const SiteFixture clean(60);
    const ClientView sound = readAsClient(clean.get("/").body, clean.base);
    const SiteFixture years(60, {"year-links"});
    const ClientView y = readAsClient(years.get("/").body, years.base);
    EXPECT_EQ(y.images.size(), 30);
    int yearNonPosts = 0;
    for (const QString& link : y.links)
        yearNonPosts +=
            IconNaming::containsPostYear(link.mid(years.base.size())) && !sound.postLinks.contains(link);
    EXPECT_GE(yearNonPosts, 4 + 5); // a date link by every 7th post and the archive months
    // The client passes over date archives: the same posts as without the fault.
    EXPECT_EQ(y.titles, sound.titles);
    EXPECT_EQ(y.postLinks.size(), 30);

    // Misnested and unclosed tags.
    const QByteArray bad = SiteFixture(60, {"bad-markup"}).get("/").body;
    for (const auto& [tags, present] :
         {std::pair{"</div></a>", true}, {"</h2></b></a>", true}, {"</html>", false}, {"</article>", false}})
        EXPECT_EQ(bad.contains(tags), present) << tags;
}

TEST(Faults, HostileNamesPutDangerousFileNamesOnTheImages)
{
    const SiteFixture site(200, {"hostile-names"});
    QString names; // those of the images hit, a line each
    QByteArray markup;
    for (const char* path : {"/", "/page/2", "/page/3"}) {
        markup += site.get(path).body;
        const ClientView v = readAsClient(site.get(path).body, site.base);
        ASSERT_EQ(v.images.size(), 30);
        for (int k = 0; k < 30; ++k) {
            if (seventh(k))
                names += v.imageNames[k] + '\n';
            else
                EXPECT_TRUE(v.imageNames[k].endsWith("-150x150.png"));
        }
    }
    // As written in the page, and as a browser resolves them (dot segments removed: no name left).
    for (const char* written : {"/..\"", "/%2e%2e\""})
        EXPECT_TRUE(markup.contains(written)) << written;
    EXPECT_TRUE(names.contains('\\') || names.contains("%5C", Qt::CaseInsensitive));
    EXPECT_TRUE(names.contains(QChar(1)) || names.contains("%01"));
    EXPECT_TRUE(names.contains(QRegularExpression("[^\n]{300}")));
    // A hostile address still answers with a picture, so the client must judge the name itself.
    EXPECT_TRUE(decodes(site.get("/wp-content/uploads/2016/05/..%5C..%5Cx-150x150.png").body));
}
