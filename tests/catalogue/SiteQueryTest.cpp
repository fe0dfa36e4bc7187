#include "FakeResultView.h"
#include "support/SiteProcess.h"

#include "platform/AppPaths.h"
#include "platform/SiteAddress.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

// Page loads against the real stand-in catalogue, with and without the faults it can show.
// The site's faults hit every 7th item, so on a front page of 30 they hit positions 6, 13, 20, 27.
namespace {
constexpr int kBoundMs = 30000;
constexpr int kHitsOnAFullPage = 4;

class SiteQuery : public ::testing::Test {
protected:
    void TearDown() override
    {
        client.reset();
        if (m_originalBase) {
            ASSERT_TRUE(SiteAddress::setBase(*m_originalBase));
        }
        AppPaths::setRoot(QString());
    }

    // Starts the site with the given extra arguments and a client pointed at it.
    void start(QStringList arguments)
    {
        site = std::make_unique<SiteProcess>(QStringList{"--synthetic", "400"} + arguments);
        ASSERT_TRUE(site->isReady()) << site->errorText().toStdString();
        m_originalBase = SiteAddress::base();
        ASSERT_TRUE(SiteAddress::setBase(site->baseUrl()));
        root = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(root->isValid());
        AppPaths::setRoot(root->path());
        ASSERT_TRUE(QDir(root->path()).mkdir("Icons"));
        client = std::make_unique<CatalogueClient>(view, AppPaths::icons());
        view.client = client.get();
    }
    void waitForLoads(int loads) { QTRY_COMPARE_WITH_TIMEOUT(view.completedLoads(), loads, kBoundMs); }
    QStringList cached() const { return QDir(AppPaths::icons()).entryList(QDir::Files); }

    // The thumbnail name the site gives a post link ".../YYYY/MM/DD/name/".
    static QString expectedThumb(const QString& postLink)
    {
        const QStringList parts = postLink.split('/', Qt::SkipEmptyParts);
        const QString name = parts.at(parts.size() - 1);
        const QString yearMonth = parts.at(parts.size() - 4) + parts.at(parts.size() - 3);
        return yearMonth + QString(name).remove('-') + "-150x150.png";
    }

    std::unique_ptr<SiteProcess> site;
    std::unique_ptr<QTemporaryDir> root;
    FakeResultView view;
    std::unique_ptr<CatalogueClient> client;

private:
    std::optional<QString> m_originalBase;
};

TEST_F(SiteQuery, FrontPageThenLoadMorePairsEveryRecordWithItsOwnThumbnail)
{
    start({});
    client->StartQuery("");
    waitForLoads(1);

    ASSERT_EQ(client->records().size(), 30u);
    ASSERT_EQ(client->resultList().size(), 30);
    EXPECT_EQ(cached().size(), 30);
    EXPECT_EQ(view.placed, 30);
    EXPECT_EQ(view.loadMoreAtCount, std::vector<int>{30});
    for (int i = 0; i < 30; ++i) {
        const IconRecord& r = client->records()[size_t(i)];
        ASSERT_TRUE(r.postLink.startsWith(site->baseUrl())) << r.postLink.toStdString();
        EXPECT_EQ(r.thumbFile, expectedThumb(r.postLink)) << i;
        EXPECT_EQ(client->resultList()[i], AppPaths::icons() + "/" + r.thumbFile);
        EXPECT_FALSE(r.title.isEmpty());
        QImageReader thumb(client->resultList()[i]);
        const QSize size = thumb.size();
        EXPECT_TRUE(size.isValid() && size.width() <= 150 && size.height() <= 150) << i;
    }

    client->LoadMoreResults("");
    EXPECT_EQ(client->lastRequestUrl(), site->baseUrl() + "page/2");
    waitForLoads(2);
    ASSERT_EQ(client->records().size(), 60u);
    ASSERT_EQ(client->resultList().size(), 60);
    EXPECT_EQ(client->records()[30].thumbFile, expectedThumb(client->records()[30].postLink));
    EXPECT_NE(client->records()[30].postLink, client->records()[0].postLink);
    EXPECT_EQ(view.loadMoreAtCount, (std::vector<int>{30, 60}));
    EXPECT_TRUE(view.notices.isEmpty());
}

TEST_F(SiteQuery, SearchListsOnlyMatchingIconsAndRecordsTheKeyword)
{
    start({});
    client->StartQuery("");
    waitForLoads(1);
    ASSERT_FALSE(client->records().empty());
    // A word of the newest icon's name is a keyword with at least one match.
    const QString name = client->records()[0].postLink.section('/', -2, -2);
    const QString word = name.section('-', 0, 0);

    client->StartQuery(word);
    waitForLoads(2);
    EXPECT_EQ(client->lastRequestUrl(), site->baseUrl() + "?s=" + word);
    ASSERT_FALSE(client->records().empty());
    EXPECT_EQ(int(client->records().size()), client->resultList().size());
    for (const IconRecord& r : client->records())
        EXPECT_TRUE(r.postLink.section('/', -2, -2).remove('-').contains(word)) << r.postLink.toStdString();
    EXPECT_EQ(cached().size(), client->resultList().size());  // the front page's files were cleared
    ASSERT_EQ(client->keywords().entries().size(), 2u);
    EXPECT_TRUE(view.notices.isEmpty());

    // A keyword nothing matches: the page arrives empty and the user is told so.
    client->StartQuery("zzqqxxnothing");
    waitForLoads(3);
    EXPECT_TRUE(client->resultList().isEmpty());
    EXPECT_EQ(view.notices, QStringList{"No icons found for \"zzqqxxnothing\"."});
}

// Each thumbnail fault: the hit thumbnails are skipped, the records stay and pair by order.
TEST_F(SiteQuery, ThumbnailFaultsSkipTheHitImagesAndPairTheRestByOrder)
{
    const QStringList skipping = {"thumb-404", "thumb-empty", "thumb-one-byte", "reset", "dup-names"};
    for (const QString& fault : skipping) {
        SCOPED_TRACE(fault.toStdString());
        client.reset();
        view = FakeResultView();
        start({"--faults", fault});
        client->StartQuery("");
        waitForLoads(1);
        EXPECT_EQ(client->records().size(), 30u);
        EXPECT_EQ(client->resultList().size(), 30 - kHitsOnAFullPage);
        EXPECT_EQ(cached().size(), 30 - kHitsOnAFullPage);
        EXPECT_EQ(view.placed, 30 - kHitsOnAFullPage);
        // No Load More: the list stopped short of a page boundary.
        EXPECT_TRUE(view.loadMoreAtCount.empty());
        for (const QString& file : cached())
            EXPECT_GE(QFileInfo(AppPaths::icons() + "/" + file).size(), 2) << file.toStdString();
        // The first six records keep their own thumbnails; from the first hit on they take later ones.
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(client->records()[size_t(i)].thumbFile, expectedThumb(client->records()[size_t(i)].postLink));
        EXPECT_EQ(client->records()[6].thumbFile, expectedThumb(client->records()[7].postLink));
        EXPECT_TRUE(client->records()[29].thumbFile.isEmpty());  // surplus records get no thumbnail
    }
}

TEST_F(SiteQuery, GarbageAndBrokenMarkupStillGiveAFullPage)
{
    start({"--faults", "thumb-garbage,bad-markup"});
    client->StartQuery("");
    waitForLoads(1);
    EXPECT_EQ(client->records().size(), 30u);
    // Bytes that are no image are stored unchanged; the tile just shows nothing for them.
    EXPECT_EQ(client->resultList().size(), 30);
    EXPECT_EQ(cached().size(), 30);
    int decodable = 0;
    for (const QString& path : client->resultList())
        decodable += QImageReader(path).canRead() ? 1 : 0;
    EXPECT_EQ(decodable, 30 - kHitsOnAFullPage);
}

TEST_F(SiteQuery, HostileThumbnailNamesWriteNothingOutsideTheCache)
{
    start({"--faults", "hostile-names"});
    client->StartQuery("");
    waitForLoads(1);
    EXPECT_EQ(client->records().size(), 30u);
    EXPECT_GE(client->resultList().size(), 30 - kHitsOnAFullPage);
    EXPECT_LT(client->resultList().size(), 30);  // "..", "\" and control names are refused

    EXPECT_EQ(QDir(root->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"Icons"});
    QDirIterator all(root->path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (all.hasNext()) {
        const QFileInfo entry(all.next());
        if (entry.fileName() == "Icons")
            continue;
        EXPECT_EQ(entry.absolutePath(), QDir(AppPaths::icons()).absolutePath()) << entry.filePath().toStdString();
        EXPECT_TRUE(entry.isFile());
        const QString name = entry.fileName();
        EXPECT_LE(name.toUtf8().size(), 200);
        EXPECT_FALSE(name.contains('\\'));
        for (const QChar c : name)
            EXPECT_GE(c.unicode(), 0x20) << name.toStdString();
    }
}

TEST_F(SiteQuery, StalledPageEndsAtTheTimeLimitAndTheEventLoopKeepsRunning)
{
    start({"--faults", "stall"});
    client->setPageTimeout(1500);
    int ticks = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] { ++ticks; });
    tick.start(50);
    client->StartQuery("");
    waitForLoads(1);
    EXPECT_GT(ticks, 5);
    EXPECT_FALSE(client->isLoading());
    EXPECT_TRUE(client->resultList().isEmpty());
    EXPECT_TRUE(cached().isEmpty());
    EXPECT_EQ(view.placed, 0);
    ASSERT_EQ(view.notices.size(), 1);
    EXPECT_TRUE(view.notices[0].startsWith("The catalogue could not be reached."));
}

TEST_F(SiteQuery, ASecondQueryDuringASlowFirstLeavesOnlyTheSecondQuerysResults)
{
    start({"--latency-ms", "200"});
    client->StartQuery("");
    waitForLoads(1);
    ASSERT_GE(client->records().size(), 2u);
    const QString word = client->records()[1].postLink.section('/', -2, -2).section('-', 0, 0);

    client->StartQuery("");
    QTRY_VERIFY_WITH_TIMEOUT(view.placed > 30, kBoundMs);  // the first query's image pass is under way
    client->StartQuery(word);
    waitForLoads(2);
    ASSERT_FALSE(client->records().empty());
    QStringList expected;
    for (const IconRecord& r : client->records()) {
        EXPECT_TRUE(r.postLink.section('/', -2, -2).remove('-').contains(word)) << r.postLink.toStdString();
        if (!r.thumbFile.isEmpty())
            expected << r.thumbFile;
    }
    QStringList files = cached();
    files.sort();
    expected.sort();
    EXPECT_EQ(files, expected);
    EXPECT_EQ(client->lastRequestUrl(), site->baseUrl() + "?s=" + word);
}
} // namespace
