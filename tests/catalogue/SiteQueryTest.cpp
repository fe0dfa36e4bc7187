#include "ClientTest.h"
#include "support/SiteProcess.h"
#include "support/WaitFor.h"

#include <QImageReader>
#include <QTimer>

// Page loads against the real stand-in catalogue, with and without the faults it can show.
// The site's faults hit every 7th item, so on a front page of 30 they hit positions 6, 13, 20, 27.
namespace
{
class SiteQuery : public ClientTest
{
protected:
    // Starts the site with the given extra arguments and a fresh client pointed at it.
    void start(QStringList arguments)
    {
        client.reset();
        site = std::make_unique<SiteProcess>(QStringList{"--synthetic", "400"} + arguments);
        ASSERT_TRUE(site->isReady()) << site->errorText().toStdString();
        startClient(site->baseUrl());
    }
    // The thumbnail name the site gives a post link ".../YYYY/MM/DD/name/".
    static QString expectedThumb(const QString& postLink)
    {
        const QStringList parts = postLink.split('/', Qt::SkipEmptyParts);
        return parts.at(parts.size() - 4) + parts.at(parts.size() - 3) + QString(parts.last()).remove('-') +
               "-150x150.png";
    }

    std::unique_ptr<SiteProcess> site;
};

TEST_F(SiteQuery, FrontPageLoadMoreAndASearchPairEveryRecordWithItsOwnThumbnail)
{
    start({"--latency-ms", "100"});
    // An export under way holds its own claim: the page load that ends does not clear it.
    BusyPointer::Claim exporting = pointer.claim(BusyPointer::Shape::Hourglass);
    client->startQuery("");
    EXPECT_EQ(pointer.claimCount(), 2);
    waitForLoads(1);
    EXPECT_EQ(std::pair(pointer.claimCount(), pointer.shape()), std::pair(1, BusyPointer::Shape::Hourglass));
    exporting.release();
    EXPECT_EQ(pointer.shape(), BusyPointer::Shape::Default);
    ASSERT_EQ(client->records().size(), 30u);
    ASSERT_EQ(client->resultList().size(), 30);
    EXPECT_EQ(cached().size(), 30);
    EXPECT_EQ(view.placed, 30);
    EXPECT_EQ(view.loadMoreAtCount, std::vector<int>{30});
    for (int i = 0; i < 30; ++i) {
        ASSERT_TRUE(record(i).postLink.startsWith(site->baseUrl())) << record(i).postLink.toStdString();
        EXPECT_EQ(record(i).thumbFile, expectedThumb(record(i).postLink)) << i;
        EXPECT_EQ(client->resultList()[i], client->cache().pathOf(record(i).thumbFile));
    }

    client->loadMoreResults("");
    EXPECT_EQ(client->lastRequestUrl(), site->baseUrl() + "page/2");
    waitForLoads(2);
    ASSERT_EQ(client->records().size(), 60u);
    ASSERT_EQ(client->resultList().size(), 60);
    EXPECT_EQ(record(30).thumbFile, expectedThumb(record(30).postLink));
    EXPECT_EQ(view.loadMoreAtCount, (std::vector<int>{30, 60}));

    // A search started while the front page's image pass is under way: only its own results remain.
    // A word of an icon's name is a keyword with at least one match.
    const QString word = record(1).postLink.section('/', -2, -2).section('-', 0, 0);
    client->startQuery("");
    WAIT_UNTIL(view.placed > 60, kBoundMs);
    client->startQuery(word);
    waitForLoads(3);
    EXPECT_EQ(client->lastRequestUrl(), site->baseUrl() + "?s=" + word);
    ASSERT_FALSE(client->records().empty());
    QStringList expected;
    for (const IconRecord& r : client->records()) {
        EXPECT_TRUE(r.postLink.section('/', -2, -2).remove('-').contains(word)) << r.postLink.toStdString();
        EXPECT_EQ(r.thumbFile, expectedThumb(r.postLink));
        expected << r.thumbFile;
    }
    QStringList files = cached();
    files.sort();
    expected.sort();
    EXPECT_EQ(files, expected);
    EXPECT_EQ(client->keywords().entries().size(), 3u);
    EXPECT_TRUE(view.notices.isEmpty());

    // A keyword nothing matches: the page arrives empty and the user is told so.
    client->startQuery("zzqqxxnothing");
    waitForLoads(4);
    EXPECT_TRUE(client->resultList().isEmpty());
    EXPECT_EQ(view.notices, QStringList{"No icons found for \"zzqqxxnothing\"."});
}

// Each thumbnail fault: the hit thumbnails are skipped (or stored unchanged when they are just not
// images), the records stay and pair by order.
TEST_F(SiteQuery, ThumbnailFaultsSkipTheHitImagesAndPairTheRestByOrder)
{
    const std::pair<QString, int> faults[] = {{"thumb-404", 26},      {"thumb-empty", 26},
                                              {"thumb-one-byte", 26}, {"reset", 26},
                                              {"dup-names", 26},      {"thumb-garbage,bad-markup", 30}};
    for (const auto& [fault, stored] : faults) {
        SCOPED_TRACE(fault.toStdString());
        start({"--faults", fault});
        client->startQuery("");
        waitForLoads(1);
        EXPECT_EQ(client->records().size(), 30u);
        EXPECT_EQ(client->resultList().size(), stored);
        EXPECT_EQ(cached().size(), stored);
        EXPECT_EQ(view.placed, stored);
        // A full page that stored fewer still offers the next page, numbered by pages loaded.
        EXPECT_EQ(view.loadMoreAtCount, std::vector<int>{stored});
        int decodable = 0;
        for (const QString& path : client->resultList())
            decodable += QImageReader(path).canRead() ? 1 : 0;
        EXPECT_EQ(decodable, 26);
        // Records keep their own thumbnails up to the first skipped one, then take later ones.
        const int own = stored == 30 ? 30 : 6;
        for (int i = 0; i < own; ++i)
            EXPECT_EQ(record(i).thumbFile, expectedThumb(record(i).postLink)) << i;
        if (stored < 30) {
            EXPECT_EQ(record(6).thumbFile, expectedThumb(record(7).postLink));
            EXPECT_TRUE(record(29).thumbFile.isEmpty()); // surplus records get no thumbnail
        }
    }
    client->loadMoreResults("");
    EXPECT_EQ(client->lastRequestUrl(), site->baseUrl() + "page/2");
}

TEST_F(SiteQuery, HostileThumbnailNamesWriteNothingOutsideTheCache)
{
    start({"--faults", "hostile-names"});
    client->startQuery("");
    waitForLoads(1);
    EXPECT_EQ(client->records().size(), 30u);
    EXPECT_GE(client->resultList().size(), 26);
    EXPECT_LT(client->resultList().size(), 30); // "..", "\" and control names are refused
    EXPECT_EQ(QDir(root->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"Icons"});
    EXPECT_EQ(QDir(icons()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{ThumbnailCache::kFolderName});
    for (const QFileInfo& entry :
         QDir(client->cache().folder()).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
        EXPECT_TRUE(entry.isFile() && ThumbnailCache::isSafeName(entry.fileName()))
            << entry.fileName().toStdString();
}

TEST_F(SiteQuery, StalledPageEndsAtTheTimeLimitAndTheEventLoopKeepsRunning)
{
    start({"--faults", "stall"});
    client->setPageTimeout(1500);
    int ticks = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&ticks] { ++ticks; });
    tick.start(50);
    client->startQuery("");
    waitForLoads(1);
    EXPECT_GT(ticks, 5);
    EXPECT_TRUE(cached().isEmpty());
    EXPECT_EQ(view.placed, 0);
    ASSERT_EQ(view.notices.size(), 1);
    EXPECT_TRUE(view.notices[0].startsWith("The catalogue at " + address.base() + " could not be reached."))
        << view.notices[0].toStdString();
}
} // namespace
