// The demo catalogue as the client meets it, over HTTP with the real icon sets scripts/setup
// installs: its address before the icons are indexed, every category and common word with enough
// results, first pages of distinct, visible artwork, and paging that ends at page 26.
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

#include <gtest/gtest.h>

namespace
{
constexpr int kSignatureSize = 24;
constexpr int kSameArtworkDifference = 4; // mean difference per channel, of 255

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
    qint64 difference = 0; // signatures are RGB32 without padding; the unused bytes are equal
    for (qsizetype i = 0; i < a.sizeInBytes(); ++i)
        difference += std::abs(a.constBits()[i] - b.constBits()[i]);
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
    static QProcess* s_site;
    static QByteArray s_output;
    QString m_base;
    std::unique_ptr<httplib::Client> m_client;
};
QProcess* DemoSite::s_site = nullptr;
QByteArray DemoSite::s_output;
} // namespace

TEST_F(DemoSite, PrintsItsAddressBeforeIndexingAndEveryCategoryAndCommonWordFindsSixtyIcons)
{
    // The sources' counts and the total are written once the icons are indexed.
    EXPECT_LT(s_output.indexOf(m_base.toUtf8()), s_output.indexOf("catalogue-site: "))
        << s_output.toStdString();
    QStringList words;
    for (int i = 0; i < CategoryTable::kCount; ++i)
        words << CategoryTable::slug(i);
    words << QStringList{"home",  "user",  "mail", "folder",  "star",
                         "heart", "phone", "car",  "weather", "calendar"};
    // At least 60 results: a second page of 30.
    for (const QString& word : words)
        EXPECT_EQ(images(get("/page/2/?s=" + word).second).size(), 30) << word.toStdString();
    // Paging stops after 26 pages however much a query matches, the front page too.
    EXPECT_EQ(get("/page/26/?s=e").first, 200);
    EXPECT_EQ(get("/page/27/?s=e").first, 404);
    EXPECT_EQ(get("/page/26").first, 200);
    EXPECT_EQ(get("/page/27").first, 404);
}

TEST_F(DemoSite, FirstPageOfEveryCategoryShowsThirtyDistinctVisibleArtworks)
{
    for (int i = 0; i < CategoryTable::kCount; ++i) {
        const QString slug = CategoryTable::slug(i);
        SCOPED_TRACE(slug.toStdString());
        const QStringList thumbs = images(get("/?s=" + slug).second);
        ASSERT_EQ(thumbs.size(), 30);
        std::vector<QImage> seen;
        int distinct = 0;
        for (const QString& url : thumbs) {
            const QImage image = QImage::fromData(get(QUrl(url).path()).second, "png");
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
