// The demo catalogue as the client meets it, over HTTP with the real icon sets scripts/setup
// installs: its address before the icons are indexed, every category and common word with enough
// results, first pages of distinct, visible artwork, searches that find what they mean and not
// what merely contains their letters, and paging that ends at page 26.
#include "catalogue-site/DemoSources.h"
#include "catalogue/CategoryTable.h"
#include "platform/HtmlDocument.h"
#include "support/WaitFor.h"

#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QUrl>

#include <httplib.h>

#include <algorithm>

#include <gtest/gtest.h>

namespace
{
constexpr int kSignatureSize = 32;
constexpr int kSmoothing = 40;        // a channel moves by less than this where edges are smoothed
constexpr int kSameArtworkPixels = 4; // of 1024: pixels that may differ by more

// A small, smoothed copy of a thumbnail on white: the same artwork gives the same signature.
QImage signature(const QImage& thumb)
{
    QImage flat(thumb.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter(&flat).drawImage(0, 0, thumb);
    return flat.scaled(kSignatureSize, kSignatureSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

bool sameArtwork(const QImage& a, const QImage& b)
{
    int different = 0;
    for (int y = 0; y < kSignatureSize; ++y)
        for (int x = 0; x < kSignatureSize; ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            different += std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                   std::abs(qBlue(p) - qBlue(q))}) > kSmoothing
                             ? 1
                             : 0;
        }
    return different <= kSameArtworkPixels;
}

// Share of pixels that are not transparent.
// The share of pixels that show on a white tile.
double coverage(const QImage& image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    int visible = 0;
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb p = argb.pixel(x, y);
            visible += qAlpha(p) * (255 - std::min({qRed(p), qGreen(p), qBlue(p)})) / 255 > 16 ? 1 : 0;
        }
    return double(visible) / double(argb.width() * argb.height());
}

class DemoSite : public testing::Test
{
protected:
    // The site's output and errors in one stream, in the order they were written.
    static void SetUpTestSuite()
    {
        s_site = new QProcess;
        s_site->setProcessChannelMode(QProcess::MergedChannels);
        s_site->start(QStringLiteral(CATALOGUE_SITE_BIN), {"--demo", "--port", "0"});
    }
    static void TearDownTestSuite()
    {
        s_site->terminate();
        s_site->waitForFinished(10000);
        delete s_site;
    }
    void SetUp() override
    {
        for (const DemoSources::Source& source : DemoSources::sources())
            ASSERT_FALSE(source.folder.isEmpty())
                << source.package.toStdString() << " is not installed: run scripts/setup";
        WAIT_UNTIL((s_output += s_site->readAll()).contains("serving") ||
                       s_site->state() == QProcess::NotRunning,
                   120000);
        ASSERT_TRUE(s_output.contains("catalogue-site: serving")) << s_output.toStdString();
        m_base =
            QRegularExpression("http://127\\.0\\.0\\.1:\\d+/").match(QString::fromUtf8(s_output)).captured();
        m_client = std::make_unique<httplib::Client>("127.0.0.1", QUrl(m_base).port());
        m_client->set_read_timeout(std::chrono::seconds(120));
    }
    // Status and body of a GET.
    std::pair<int, QByteArray> get(const QString& target) const
    {
        const auto r = m_client->Get(target.toStdString());
        return r ? std::pair{r->status, QByteArray::fromStdString(r->body)} : std::pair{0, QByteArray()};
    }
    // The images of a result page, as the browser control resolves them.
    QStringList images(const QByteArray& page) const
    {
        HtmlDocument::Limits limits;
        limits.maxItems = 5000;
        return HtmlDocument::read(page, QUrl(m_base), limits).document.images();
    }
    // The post links of a result page, one per post.
    QStringList postLinks(const QByteArray& page) const
    {
        HtmlDocument::Limits limits;
        limits.maxItems = 5000;
        QStringList posts;
        const QStringList links = HtmlDocument::read(page, QUrl(m_base), limits).document.links();
        for (const QString& link : links)
            if (QRegularExpression("/201[3-7]/\\d\\d/\\d\\d/[^/]+/$").match(link).hasMatch() &&
                !posts.contains(link))
                posts << link;
        return posts;
    }
    static QProcess* s_site;
    static QByteArray s_output;
    QString m_base;
    std::unique_ptr<httplib::Client> m_client;
};
QProcess* DemoSite::s_site = nullptr;
QByteArray DemoSite::s_output;
} // namespace

TEST_F(DemoSite, PrintsItsAddressBeforeIndexingAndEveryCategoryAndCommonWordFillsAPageAndMore)
{
    // The sources' counts (or the index cache) and the total are written once the icons are indexed.
    EXPECT_LT(s_output.indexOf(m_base.toUtf8()), s_output.indexOf("catalogue-site: "))
        << s_output.toStdString();
    QStringList words;
    for (int i = 0; i < CategoryTable::kCount; ++i)
        words << CategoryTable::slug(i);
    words << QStringList{"home",  "user",  "mail", "folder",  "star",
                         "heart", "phone", "car",  "weather", "calendar"};
    // A full first page and a second one.
    for (const QString& word : words) {
        EXPECT_EQ(images(get("/?s=" + word).second).size(), 30) << word.toStdString();
        EXPECT_GE(images(get("/page/2/?s=" + word).second).size(), 1) << word.toStdString();
    }
    // Paging stops after 26 pages however much a query matches, the front page too.
    EXPECT_EQ(get("/page/26/?s=emoji").first, 200);
    EXPECT_EQ(get("/page/27/?s=emoji").first, 404);
    EXPECT_EQ(get("/page/26").first, 200);
    EXPECT_EQ(get("/page/27").first, 404);
}

TEST_F(DemoSite, FirstPagesShowEachPictureOnceAndNoEmptyThumbnail)
{
    QStringList listings = {"/", "/page/2"};
    for (int i = 0; i < CategoryTable::kCount; ++i)
        listings << "/?s=" + CategoryTable::slug(i);
    for (const QString& listing : listings) {
        SCOPED_TRACE(listing.toStdString());
        const QStringList thumbs = images(get(listing).second);
        ASSERT_EQ(thumbs.size(), 30);
        std::vector<std::pair<QString, QImage>> seen;
        for (const QString& url : thumbs) {
            const QImage image = QImage::fromData(get(QUrl(url).path()).second, "png");
            ASSERT_EQ(image.size(), QSize(150, 150)) << url.toStdString();
            EXPECT_GT(coverage(image), 0.02) << url.toStdString(); // a drawing, not an empty square
            const QImage sig = signature(image);
            for (const auto& [other, otherSig] : seen)
                EXPECT_FALSE(sameArtwork(sig, otherSig))
                    << url.toStdString() << " repeats " << other.toStdString();
            seen.emplace_back(url, sig);
        }
    }
}

namespace
{
// A search and what its first page must show (names, or the start of names), must not show (any
// part of a name) and how many posts it lists at least.
struct Relevance {
    const char* query;
    QStringList shown;
    QStringList notShown;
    int atLeast = 1;
};
} // namespace

TEST_F(DemoSite, SearchesFindWhatTheyMeanOnTheFirstPage)
{
    const std::vector<Relevance> fixture = {
        {"rain", {"rain", "cloud-with-rain", "raindrop"}, {"brain", "bahrain", "lorraine", "train"}},
        {"key", {"key", "old-key"}, {"monkey", "donkey", "turkey", "hockey"}},
        {"flower", {"flower-01", "wilted-flower"}, {"flow-", "workflow", "overflow"}},
        {"printer", {"printer", "printer-network"}, {"document-print", "blueprint", "fingerprint"}},
        {"wifi", {"network-wireless", "folder-wifi"}, {}, 25},
        {"scissors", {"scissors", "edit-cut"}, {"cute", "cutt"}, 8},
        {"caf%C3%A9", {"coffee"}, {}},
        {"calender", {"calendar", "tear-off-calendar"}, {}, 30},
        // The same clipboard drawn a little bolder for another theme size shows once.
        {"calendar", {"calendar", "korganizer"}, {"financial-schedule"}, 30},
        {"keyboard", {"keyboard", "input-keyboard"}, {"indicator-keyboard"}},
        {"sun", {"sun-with-face", "sun-behind-cloud"}, {"sunvox", "vnd-sun", "x-office"}},
        {"security", {"security-high", "shield", "padlock"}, {"matieres", "danger", "risque", "radiations"}},
        {"animal", {"cat", "elephant"}, {"lock"}},
        {"medical", {"syringe", "ambulance", "hospital"}, {"meat-on-bone", "xray", "skull"}},
        {"mobile", {"mobile-phone"}, {"the-sims"}},
        {"network+wireless", {"network-wireless"}, {}, 20},
        {"networkwireless", {"network-wireless"}, {}, 20},
        {"arrowleft", {"arrow-left"}, {}},
        {"arrow+left", {"arrow-left"}, {}},
        {"map", {"world-map"}, {}},
        {"shop", {"shopping-cart", "shopping-bags"}, {}},
        {"business", {"briefcase", "handshake"}, {}},
        {"build", {"office-building", "house-building"}, {}},
        {"dog", {"dog-face", "poodle"}, {"pseudo", "globe"}},
        {"batteries", {"battery-full"}, {}},
        {"cat", {"cat-face"}, {"catalunya", "catia", "cattle", "scatter", "category"}},
        {"car",
         {"car", "racing-car", "taxi"},
         {"scarf", "card", "cart", "oscar", "wheel", "traffic", "moon", "minibus", "tractor", "fire-engine"}},
        {"fish", {"fish", "tropical-fish", "blowfish"}, {"dolphin", "whale", "crawfish", "shrimp"}},
        {"money", {"money-bag", "banknote-with-dollar-sign"}, {"diamond", "saphire", "gold-chain"}},
        {"star", {"glowing-star", "starred"}, {"stared", "staruml", "starbound"}},
        {"trash", {"user-trash", "wastebasket", "put-litter-in-its-place"}, {"delete"}},
        {"lock", {"lock", "padlock", "folder-locked"}, {"caps-lock", "num-lock", "scroll-lock", "old-key"}},
        {"book", {"books", "closed-book", "stack-of-books"}, {"address-book", "bookmark-"}},
        {"search",
         {"preferences-system-search", "right-pointing-magnifying-glass"},
         {"go-up", "go-down", "user-"}},
        {"download", {"folder-download", "cloud-download"}, {"go-down", "document-save", "insert-image"}},
        {"egg", {"egg", "fried-egg"}, {"bacon", "sausage", "hamburger", "hot-dog", "steak"}},
        {"fire",
         {"fire", "fire-engine"},
         {"firefox", "firewall-config", "firewall-applet", "firewatch", "firetools"}},
        {"wine", {"wine-glass"}, {"winefile", "winemine"}},
        {"phone", {"mobile-phone", "black-telephone"}, {"phone-battery", "call-of-duty"}},
        {"user", {"im-user"}, {"user-trash", "user-home", "user-desktop"}},
        {"rocket", {"rocket"}, {"rocketchat", "rocket-league"}},
        {"plane", {"airplane", "toy-paper-plane"}, {"x-plane"}},
        {"cup", {"cup-rollandin"}, {"cups"}},
        // Keywords for what goes with a picture: cheese with the moon, water with a camel, a door with a key.
        {"cheese", {"cheese-wedge"}, {"moon"}},
        {"water", {"water-wave"}, {"camel"}},
        {"door", {"door"}, {"key"}},
    };
    for (const Relevance& r : fixture) {
        SCOPED_TRACE(r.query);
        QStringList names;
        for (const QString& link : postLinks(get(QStringLiteral("/?s=") + r.query).second))
            names << link.section('/', -2, -2);
        for (const QString& name : r.shown)
            EXPECT_TRUE(
                std::any_of(names.begin(), names.end(), [&](const QString& n) { return n.startsWith(name); }))
                << name.toStdString() << " missing from " << names.join(' ').toStdString();
        for (const QString& part : r.notShown)
            for (const QString& n : names)
                EXPECT_FALSE(n.contains(part)) << n.toStdString();
        EXPECT_GE(names.size(), r.atLeast);
    }
}
