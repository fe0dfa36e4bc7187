#include "../platform/HeldHttpServer.h"
#include "ClientTest.h"
#include "support/FullDisk.h"
#include "support/WaitFor.h"

#include "catalogue/ImagePass.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstring>
#include <map>
#include <numeric>
#include <set>

namespace
{
// The client against a loopback server that holds every request until the test answers it, or,
// after catalogue(n), answers at once for a catalogue of n icons, 30 posts a page. Post k links
// "icon<k>-glyph" with image "/t/<k>.png"; `failing` images answer 404, `twinOf` gives an image
// the file name of another one.
class HeldSite : public ClientTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.isListening());
        startClient(base);
    }
    QString post(int k) const { return base + "2015/06/07/icon" + QString::number(k) + "-glyph/"; }
    QByteArray page(const std::vector<int>& posts, const std::vector<int>& extraImages = {}) const
    {
        QByteArray html = "<html><body><a href='" + base.toUtf8() + "'>Home</a>";
        for (int k : posts) {
            const QByteArray link = post(k).toUtf8(),
                             image = QByteArray::number(twinOf.count(k) ? twinOf.at(k) : k);
            html += "<a href='" + link + "'><img src='/t/" + image + ".png'></a><a href='" + link + "'>t</a>";
        }
        for (int k : extraImages)
            html += "<img src='/t/" + QByteArray::number(k) + ".png'>";
        return html + "</body></html>";
    }
    void catalogue(int count)
    {
        server.autoAnswer = [this, count](const QByteArray& path) -> std::pair<int, QByteArray> {
            if (path.startsWith("/t/"))
                return {failing.count(path.mid(3).split('.').first().toInt()) ? 404 : 200, path};
            const int first =
                path.startsWith("/page/") ? (path.mid(6).split('/').first().toInt() - 1) * 30 : 0;
            std::vector<int> posts;
            for (int k = first; k < std::min(first + 30, count); ++k)
                posts.push_back(k);
            return {posts.empty() ? 404 : 200, page(posts)};
        };
    }
    // Each record as "title|post link|thumbnail", then the stored file names in list order.
    static QStringList describe(const CatalogueClient& c)
    {
        QStringList out;
        for (const IconRecord& r : c.records())
            out << r.title + "|" + r.postLink + "|" + r.thumbFile;
        for (const QString& path : c.resultList())
            out << QFileInfo(path).fileName();
        return out;
    }

    HeldHttpServer server;
    const QString base = server.url("/");
    std::set<int> failing;
    std::map<int, int> twinOf;
};
} // namespace

TEST_F(HeldSite, StartQueryClearsTheCacheResetsTheStateAndRecordsTheSearch)
{
    // The user's own pictures in Icons/, hidden ones too, and the cache's own files.
    const QStringList own{".hidden.png", "kept.jpg", "mine.png", "sub.png"};
    for (const QString& name : own.mid(0, 3))
        ASSERT_TRUE(QFile(icons() + "/" + name).open(QIODevice::WriteOnly));
    ASSERT_TRUE(QDir(icons()).mkdir("sub.png"));
    const QString cache = client->cache().folder();
    auto contents = [](const QString& folder) {
        return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    };
    client->startQuery("first");
    EXPECT_EQ(contents(cache), QStringList{ThumbnailCache::kTagName}); // made and tagged
    for (const QString name : {"old1.png", ".old2.png", "x.gif"})
        ASSERT_TRUE(QFile(cache + "/" + name).open(QIODevice::WriteOnly));
    client->state() = {"stale", 3, false, true};
    client->startQuery("arrow left");
    EXPECT_EQ(contents(cache), QStringList{ThumbnailCache::kTagName});
    QStringList expected = own;
    expected << ThumbnailCache::kFolderName;
    expected.sort(Qt::CaseInsensitive);
    EXPECT_EQ(contents(icons()), expected);

    // A link in the cache's place is replaced by a folder; where it led is not emptied.
    QTemporaryDir elsewhere;
    ASSERT_TRUE(QFile(elsewhere.filePath("precious.png")).open(QIODevice::WriteOnly));
    ASSERT_TRUE(QDir(cache).removeRecursively() && QFile::link(elsewhere.path(), cache));
    client->startQuery("arrow left");
    EXPECT_FALSE(QFileInfo(cache).isSymLink());
    EXPECT_EQ(contents(cache), QStringList{ThumbnailCache::kTagName});
    EXPECT_EQ(contents(elsewhere.path()), QStringList{"precious.png"});
    // A folder of that name the client did not tag keeps what it holds.
    ASSERT_TRUE(QDir(cache).removeRecursively() && QDir().mkdir(cache));
    ASSERT_TRUE(QFile(cache + "/theirs.png").open(QIODevice::WriteOnly));
    client->startQuery("arrow left");
    EXPECT_EQ(contents(cache), QStringList{"theirs.png"});
    ASSERT_TRUE(QDir(cache).removeRecursively());

    client->stop(); // the load of the query above ends here, not in the checks below
    view = FakeResultView();
    view.client = client.get();
    client->keywords().loadKeywords({});
    client->startQuery("arrow left");
    EXPECT_TRUE(view.loadMore.empty()); // Load More was not shown: nothing to slide away
    EXPECT_EQ(std::pair(client->state().resultCount, client->state().pageBoundary), std::pair(0, false));
    EXPECT_EQ(client->lastRequestUrl(), base + "?s=arrow+left");

    client->state().loadMore = true;
    client->startQuery("");
    EXPECT_EQ(view.loadMore, std::vector<bool>{false});
    EXPECT_EQ(client->lastRequestUrl(), base);
    EXPECT_EQ(view.ended, std::vector<bool>{true}); // the first load was abandoned
    client->startQuery("   ");
    EXPECT_EQ(client->lastRequestUrl(), base + "?s=");
    client->startQuery("c# & c++");
    EXPECT_EQ(client->lastRequestUrl(), base + "?s=c%23+%26+c%2B%2B");
    EXPECT_EQ(view.clears, 4);
    QStringList recorded; // as typed, the empty search too
    for (const KeywordEntry& e : client->keywords().entries())
        recorded << e.keyword;
    EXPECT_EQ(recorded, (QStringList{"arrow left", "", "   ", "c# & c++"}));

    // A category choice stops the running load; an index outside the table keeps the keyword.
    EXPECT_EQ(client->chooseCategory(11), "flag");
    EXPECT_EQ(view.ended.size(), 4u);
    QStringList slugs;
    for (int i = 0; i < 20; ++i)
        slugs << client->chooseCategory(i);
    EXPECT_EQ(slugs.join(' '),
              "mobile medical shop security network music map build holiday game food flag file "
              "electronic education computer cloth business arrow animal");
    for (int outside : {-1, 20, 32767})
        EXPECT_EQ(client->chooseCategory(outside), "animal");
}

TEST_F(HeldSite, LoadMoreAsksThePageAfterTheListedResultsAndAppends)
{
    catalogue(45);
    client->startQuery("arrow");
    waitForLoads(1);
    ASSERT_EQ(client->resultList().size(), 30);
    client->loadMoreResults("cat"); // the box was edited but not searched: the arrow query continues
    EXPECT_EQ(client->lastRequestUrl(), base + "page/2/?s=arrow");
    waitForLoads(2);
    ASSERT_EQ(client->resultList().size(), 45);
    EXPECT_EQ(view.loadMore, (std::vector<bool>{true, false})); // 45 is no page boundary

    client->loadMoreResults("arrow"); // 45 listed: page 2 again
    EXPECT_EQ(client->lastRequestUrl(), base + "page/2/?s=arrow");
    waitForLoads(3);
    ASSERT_EQ(client->resultList().size(), 60);
    EXPECT_EQ(record(45).thumbFile, "30.png");
    EXPECT_EQ(view.loadMoreAtCount, (std::vector<int>{30, 60}));

    client->loadMoreResults(""); // emptied box: the front page continues
    EXPECT_EQ(client->lastRequestUrl(), base + "page/3");
    waitForLoads(4);
    EXPECT_EQ(client->records().size(), 60u);
    EXPECT_TRUE(view.notices.isEmpty()); // a 404 past the last page is no failure to report
    EXPECT_TRUE(view.clears == 1 &&
                client->keywords().entries().size() == 1); // Load More neither clears nor records
}

TEST_F(HeldSite, OneAtATimeGivesTheSameResultAsSix)
{
    catalogue(30);
    failing = {6, 13};
    twinOf = {{21, 20}, {27, 26}}; // images 21 and 27 repeat the file name just before them
    auto run = [this](int parallel) {
        FakeResultView v;
        BusyPointer busy;
        CatalogueClient c(v, busy, address, icons());
        c.setParallelFetches(parallel);
        c.startQuery("");
        EXPECT_TRUE(QTest::qWaitFor([&v] { return v.completedLoads() == 1; }, kBoundMs));
        return describe(c);
    };
    const QStringList six = run(6);
    EXPECT_EQ(six, run(1));
    // 30 records, then 26 stored: 2 images fail and 2 repeat their neighbour's name.
    EXPECT_EQ(six.size(), 30 + 26);
}

TEST_F(HeldSite, ANewQueryDuringThePageWaitDropsTheOldPage)
{
    client->startQuery("first");
    WAIT_UNTIL(server.isPending("/?s=first"), kBoundMs);
    client->startQuery("second");
    WAIT_UNTIL(server.isPending("/?s=second"), kBoundMs);
    // Even if the old answer still got through, it must not be scraped.
    server.answer("/?s=first", 200, page({100}));
    server.answer("/?s=second", 200, page({0, 1}, {2}));
    WAIT_UNTIL(server.pendingCount() == 3, kBoundMs);
    for (const QByteArray path : {"/t/2.png", "/t/1.png", "/t/0.png"})
        ASSERT_TRUE(server.answer(path, 200, path));
    waitForLoads(1);
    EXPECT_EQ(view.ended, (std::vector<bool>{true, false}));
    EXPECT_EQ(view.progress, (std::vector<int>{0, 0, 0, 10, 20, 30, 0}));
    EXPECT_EQ(view.listSizeAtPlace, (std::vector<int>{1, 2, 3}));
    // The surplus thumbnail gets a record with empty texts.
    EXPECT_EQ(describe(*client),
              (QStringList{"icon0, glyph|" + post(0) + "|0.png", "icon1, glyph|" + post(1) + "|1.png",
                           "||2.png", "0.png", "1.png", "2.png"}));
}

// Thumbnails the disk cannot take still get their tiles, paired with their records, written on
// workers; the view hears it once per result set.
TEST_F(HeldSite, ThumbnailsTheDiskCannotTakeStillGetTheirTilesAndTheViewIsToldOnce)
{
    FULL_DISK_CASE(disk);
    catalogue(45);
    ASSERT_TRUE(QDir(disk.folder()).mkdir("Icons"));
    FakeResultView v;
    BusyPointer busy;
    CatalogueClient c(v, busy, address, disk.folder() + "/Icons", disk.writer());
    v.client = &c;
    c.startQuery("");
    disk.fill(); // the cache folder is made: now its thumbnails find no room
    WAIT_EQ(v.completedLoads(), 1, kBoundMs);
    EXPECT_EQ(v.placed, 30);
    ASSERT_EQ(c.resultList().size(), 30);
    for (int i = 0; i < 30; ++i)
        EXPECT_EQ(c.records()[size_t(i)].thumbFile, QString::number(i) + ".png") << i;
    ASSERT_EQ(v.notCached.size(), 1);
    EXPECT_TRUE(v.notCached[0].endsWith(QString::fromLocal8Bit(std::strerror(ENOSPC))))
        << v.notCached[0].toStdString();
    const QStringList tagOnly{ThumbnailCache::kTagName};
    EXPECT_EQ(QDir(c.cache().folder()).entryList(QDir::Files | QDir::Hidden), tagOnly);

    // With room again the next page is cached, and nothing more is said.
    disk.free();
    c.loadMoreResults("");
    WAIT_EQ(v.completedLoads(), 2, kBoundMs);
    EXPECT_EQ(v.placed, 45);
    EXPECT_EQ(v.notCached.size(), 1);
    EXPECT_EQ(QDir(c.cache().folder()).entryList(QDir::Files | QDir::Hidden).size(), 16);
}

TEST(ImagePass, FetchesSeveralAtOnceButHandsOnInDocumentOrderAndOneAtATimeNeverOverlaps)
{
    HeldHttpServer server;
    ImagePass pass;
    QStringList addresses, handed; // handed: "index:bytes" in the order handed on
    int finishedAfter = -1;        // handed.size() at finished()
    QObject::connect(&pass, &ImagePass::imageReady,
                     [&](int index, const QString& address, bool ok, const QByteArray& bytes) {
                         EXPECT_EQ(address, addresses.value(index));
                         handed << QString::number(index) + ":" + (ok ? QString(bytes) : "failed");
                     });
    QObject::connect(&pass, &ImagePass::finished, [&] { finishedAfter = int(handed.size()); });
    for (int i = 0; i < 5; ++i)
        addresses << server.url("/" + QString::number(i));

    pass.setParallel(3);
    pass.start(addresses);
    WAIT_EQ(server.pendingCount(), 3, kBoundMs);
    server.answer("/2", 200, "two"); // image 0 comes last: nothing may be handed on before it
    server.answer("/1", 404, "");
    server.answer("/0", 200, "zero");
    WAIT_UNTIL(server.isPending("/3") && server.isPending("/4"), kBoundMs);
    server.answer("/4", 200, "four");
    server.answer("/3", 200, "three");
    WAIT_EQ(finishedAfter, 5, kBoundMs);
    EXPECT_EQ(handed.join(' '), "0:zero 1:failed 2:two 3:three 4:four");
    EXPECT_FALSE(pass.isRunning());
    EXPECT_EQ(server.maxPending, 3);

    handed.clear();
    finishedAfter = -1;
    pass.setParallel(1);
    pass.start(addresses);
    for (int i = 0; i < 5; ++i) {
        const QByteArray path = "/" + QByteArray::number(i);
        WAIT_UNTIL(server.isPending(path), kBoundMs);
        EXPECT_EQ(server.pendingCount(), 1);
        server.answer(path, 200, "b");
    }
    WAIT_EQ(finishedAfter, 5, kBoundMs);
    EXPECT_EQ(handed.join(' '), "0:b 1:b 2:b 3:b 4:b");
}

namespace
{
// The images of `page` for a held request, answered in document order.
void answerImages(HeldHttpServer& server, const QList<QByteArray>& paths)
{
    for (const QByteArray& path : paths) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return server.isPending(path); }, kBoundMs)) << path.toStdString();
        server.answer(path, 200, "bytes of " + path);
    }
}
} // namespace

TEST_F(HeldSite, ANewResultSetStartsWithoutTheRecordsOfThePreviousOne)
{
    client->startQuery("a");
    WAIT_UNTIL(server.isPending("/?s=a"), kBoundMs);
    server.answer("/?s=a", 200, page({0, 1}));
    answerImages(server, {"/t/0.png", "/t/1.png"});
    waitForLoads(1);
    ASSERT_EQ(record(0).title, "icon0, glyph");

    // B lists no post but shows a picture: its tile must not carry A's title or post link.
    client->startQuery("b");
    WAIT_UNTIL(server.isPending("/?s=b"), kBoundMs);
    server.answer("/?s=b", 200, "<img src='/t/7.png'>");
    answerImages(server, {"/t/7.png"});
    waitForLoads(2);
    EXPECT_EQ(describe(*client), (QStringList{"||7.png", "7.png"}));
}

TEST_F(HeldSite, OnlyHttpPicturesAreFetchedAndAddressesKeepTheirEscapes)
{
    client->startQuery("");
    WAIT_UNTIL(server.isPending("/"), kBoundMs);
    server.answer("/", 200,
                  "<a href='/2016/01/02/a%20b-icon/'><img src='file:///etc/hostname'></a>"
                  "<img src='data:image/png;base64,iVBORw0KGgoAAAANSUhEUg=='><img src='/t/g%20h.png'>"
                  "<img src='ftp://127.0.0.1/t/f.png'>");
    answerImages(server, {"/t/g%20h.png"});
    waitForLoads(1);
    EXPECT_EQ(cached(), QStringList{"g%20h.png"});
    EXPECT_EQ(describe(*client),
              (QStringList{"a%20b, icon|" + base + "2016/01/02/a%20b-icon/|g%20h.png", "g%20h.png"}));
}

TEST_F(HeldSite, AnEmptyResultSetSaysWhy)
{
    const QString reached =
        "The catalogue at http://127.0.0.1:9/ could not be reached. Check the connection and try again.";
    struct Case {
        int status;
        QByteArray body;
        QString notice;
    };
    QByteArray manyAttributes = "<a";
    for (int i = 0; i < 5000; ++i)
        manyAttributes += " x" + QByteArray::number(i) + "=1";
    const Case cases[] = {
        {503, "busy", "The catalogue answered with an error (HTTP 503). Try again later."},
        {200, QByteArray(PageLoader::kMaxPageBytes + 1, ' '),
         "The catalogue sent a result page too large to read safely."},
        {200, manyAttributes + ">",
         "The catalogue sent a result page whose markup is too complex to read safely."},
        {200, page({1, 2}), "The catalogue listed 2 icons, but none of their pictures could be downloaded."},
        {200, "<p>nothing</p>", "No icons found for \"4\"."}, // the query of case 4
    };
    // Case i answers the search for "i"; every picture fails.
    server.autoAnswer = [&](const QByteArray& path) -> std::pair<int, QByteArray> {
        if (path.startsWith("/t/"))
            return {404, ""};
        for (const Case& c : cases)
            if (path == "/?s=" + QByteArray::number(int(&c - cases)))
                return {c.status, c.body};
        return {404, ""};
    };
    for (const Case& c : cases) {
        view.notices.clear();
        client->startQuery(QString::number(int(&c - cases)));
        waitForLoads(int(&c - cases) + 1);
        EXPECT_EQ(view.notices, QStringList{c.notice});
    }
    // A site that does not answer at all.
    ASSERT_TRUE(address.setBase("http://127.0.0.1:9/"));
    view.notices.clear();
    client->startQuery("");
    waitForLoads(int(std::size(cases)) + 1);
    EXPECT_EQ(view.notices, QStringList{reached});
}

TEST_F(HeldSite, LoadMoreIsOfferedUpTo750ResultsSoThePageAfterTheLastIsNeverAskedFor)
{
    catalogue(812);
    client->startQuery("");
    for (int pages = 1; pages <= 25; ++pages) {
        waitForLoads(pages);
        ASSERT_EQ(client->resultList().size(), 30 * pages);
        ASSERT_TRUE(client->state().loadMore) << pages;
        client->loadMoreResults("");
    }
    EXPECT_EQ(client->lastRequestUrl(), base + "page/26");
    waitForLoads(26);
    ASSERT_EQ(client->resultList().size(), 780);
    EXPECT_FALSE(client->state().loadMore);
    EXPECT_EQ(view.loadMoreAtCount.back(), 750);
    // Even when asked, the client does not go past the last page.
    client->loadMoreResults("");
    EXPECT_EQ(client->lastRequestUrl(), base + "page/26");
    EXPECT_FALSE(client->isLoading());
    EXPECT_TRUE(view.loadMoreNotices.isEmpty());
}

TEST_F(HeldSite, ALoadMorePageThatFailsOrBringsNothingSaysSoAndCanBeAskedAgain)
{
    const struct {
        int status;
        QByteArray body;
        QString notice;
    } cases[] = {
        {503, "busy",
         "Could not load more icons. The catalogue answered with an error (HTTP 503). Click to try "
         "again."},
        {200, "<p>the end</p>", "The catalogue sent no more icons. Click to try again."},
    };
    size_t now = 0; // the case page 2 answers
    std::vector<int> first(30);
    std::iota(first.begin(), first.end(), 0);
    server.autoAnswer = [&](const QByteArray& path) -> std::pair<int, QByteArray> {
        if (path.startsWith("/t/"))
            return {200, path};
        if (path == "/page/2")
            return {cases[now].status, cases[now].body};
        return {200, page(first)};
    };
    client->startQuery("");
    waitForLoads(1);
    ASSERT_TRUE(client->state().loadMore);
    for (now = 0; now < std::size(cases); ++now) {
        view.loadMoreNotices.clear();
        client->loadMoreResults("");
        EXPECT_FALSE(client->state().loadMore); // the panel slides away while the page loads
        waitForLoads(2 + int(now));
        EXPECT_EQ(client->lastRequestUrl(), base + "page/2");
        EXPECT_EQ(view.loadMoreNotices, QStringList{cases[now].notice});
        // The panel comes back with the notice; the result set is as it was.
        EXPECT_TRUE(client->state().loadMore);
        EXPECT_EQ(client->resultList().size(), 30);
    }
}

TEST_F(HeldSite, AUtf16PageWithAByteOrderMarkListsItsIcons)
{
    // Written by a Windows tool: UTF-16, little-endian, with its mark.
    server.autoAnswer = [this](const QByteArray& path) -> std::pair<int, QByteArray> {
        if (path.startsWith("/t/"))
            return {200, path};
        const QString html = QString::fromUtf8(page({0, 1, 2}));
        return {200, "\xFF\xFE" + QByteArray(reinterpret_cast<const char*>(html.utf16()), html.size() * 2)};
    };
    client->startQuery("");
    waitForLoads(1);
    EXPECT_EQ(view.placed, 3);
    EXPECT_TRUE(view.notices.isEmpty()) << view.notices.join('|').toStdString();
    ASSERT_EQ(client->records().size(), 3u);
    EXPECT_EQ(record(2).postLink, post(2));
}
