// The demo catalogue as the client meets it, over HTTP with the real icon sets scripts/setup
// installs: its address at once, every category and common word with enough results, first pages
// of distinct, visible artwork, and paging that ends at page 26.
#include "catalogue-site/DemoSources.h"
#include "catalogue/CategoryTable.h"
#include "platform/HtmlDocument.h"
#include "support/SiteProcess.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QUrl>

#include <httplib.h>

#include <gtest/gtest.h>

namespace
{
constexpr int kStartLimitMs = 2000;
constexpr int kMinResults = 60;
constexpr int kSignatureSize = 24;
constexpr int kSameArtworkDifference = 4; // mean difference per channel, of 255

struct Answer {
    int status = 0;
    QByteArray body;
};

Answer get(httplib::Client& client, const QString& target)
{
    const auto r = client.Get(target.toStdString());
    return r ? Answer{r->status, QByteArray::fromStdString(r->body)} : Answer{};
}

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
    qint64 difference = 0;
    for (int y = 0; y < kSignatureSize; ++y)
        for (int x = 0; x < kSignatureSize; ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            difference +=
                std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return difference < qint64(kSameArtworkDifference) * 3 * kSignatureSize * kSignatureSize;
}

// Share of pixels that are not transparent.
double coverage(const QImage& image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    int visible = 0;
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            visible += qAlpha(argb.pixel(x, y)) > 16 ? 1 : 0;
    return double(visible) / double(argb.width() * argb.height());
}

class DemoSite : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        QElapsedTimer clock;
        clock.start();
        s_site = new SiteProcess({"--demo"});
        s_startMs = clock.elapsed();
    }
    static void TearDownTestSuite()
    {
        delete s_site;
        s_site = nullptr;
    }
    void SetUp() override
    {
        for (const DemoSources::Source& source : DemoSources::sources())
            ASSERT_FALSE(source.folder.isEmpty())
                << source.package.toStdString() << " is not installed: run scripts/setup";
        ASSERT_TRUE(s_site->isReady()) << s_site->errorText().toStdString();
        m_client = std::make_unique<httplib::Client>("127.0.0.1", QUrl(s_site->baseUrl()).port());
        m_client->set_read_timeout(std::chrono::seconds(120));
    }
    // The images of a result page, as the browser control resolves them.
    QStringList images(const QByteArray& page) const
    {
        HtmlDocument::Limits limits;
        limits.maxItems = 5000;
        return HtmlDocument::read(page, QUrl(s_site->baseUrl()), limits).document.images();
    }
    // Results of a search: 30 per page up to the last, counted on the last page.
    int resultCount(const QString& word)
    {
        const Answer first = get(*m_client, "/?s=" + word);
        const auto pages = QRegularExpression("Page 1 of (\\d+)").match(QString::fromUtf8(first.body));
        if (first.status != 200 || !pages.hasMatch())
            return -1;
        const int last = pages.captured(1).toInt();
        const Answer lastPage =
            last == 1 ? first : get(*m_client, QString("/page/%1/?s=%2").arg(last).arg(word));
        EXPECT_EQ(get(*m_client, QString("/page/%1/?s=%2").arg(last + 1).arg(word)).status, 404)
            << word.toStdString();
        return (last - 1) * 30 + int(images(lastPage.body).size());
    }

    static SiteProcess* s_site;
    static qint64 s_startMs;
    std::unique_ptr<httplib::Client> m_client;
};
SiteProcess* DemoSite::s_site = nullptr;
qint64 DemoSite::s_startMs = 0;
} // namespace

TEST_F(DemoSite, PrintsItsAddressAtOnceAndEveryCategoryAndCommonWordFindsSixtyIcons)
{
    EXPECT_LT(s_startMs, kStartLimitMs);
    QStringList words;
    for (int i = 0; i < CategoryTable::kCount; ++i)
        words << CategoryTable::slug(i);
    words << QStringList{"home",  "user",  "mail", "folder",  "star",
                         "heart", "phone", "car",  "weather", "calendar"};
    for (const QString& word : words)
        EXPECT_GE(resultCount(word), kMinResults) << word.toStdString();
    // Paging stops after 26 pages however much a query matches, the front page too.
    EXPECT_EQ(get(*m_client, "/page/26/?s=e").status, 200);
    EXPECT_EQ(get(*m_client, "/page/27/?s=e").status, 404);
    EXPECT_EQ(get(*m_client, "/page/26").status, 200);
    EXPECT_EQ(get(*m_client, "/page/27").status, 404);
}

TEST_F(DemoSite, FirstPageOfEveryCategoryShowsThirtyDistinctVisibleArtworks)
{
    for (int i = 0; i < CategoryTable::kCount; ++i) {
        const QString slug = CategoryTable::slug(i);
        SCOPED_TRACE(slug.toStdString());
        const QStringList thumbs = images(get(*m_client, "/?s=" + slug).body);
        ASSERT_EQ(thumbs.size(), 30);
        std::vector<QImage> seen;
        int distinct = 0;
        for (const QString& url : thumbs) {
            const Answer thumb = get(*m_client, QUrl(url).path());
            const QImage image = QImage::fromData(thumb.body, "png");
            ASSERT_EQ(image.size(), QSize(150, 150)) << url.toStdString();
            EXPECT_GT(coverage(image), 0.02) << url.toStdString(); // a drawing, not an empty square
            const QImage sig = signature(image);
            if (std::none_of(seen.begin(), seen.end(), [&](const QImage& s) { return sameArtwork(s, sig); }))
                ++distinct;
            seen.push_back(sig);
        }
        EXPECT_GE(distinct * 100, 95 * 30) << distinct << " distinct of 30";
    }
}
