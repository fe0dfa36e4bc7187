#include "../platform/HeldHttpServer.h"
#include "FakeResultView.h"

#include "platform/AppPaths.h"
#include "platform/SiteAddress.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {
constexpr int kBoundMs = 10000;

class DrivenSite : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.isListening());
        m_originalBase = SiteAddress::base();
        base = server.url("/");
        ASSERT_TRUE(SiteAddress::setBase(base));
        AppPaths::setRoot(m_root.path());
        ASSERT_TRUE(QDir(m_root.path()).mkdir("Icons"));
        client = std::make_unique<CatalogueClient>(view, AppPaths::icons());
        view.client = client.get();
    }
    void TearDown() override
    {
        client.reset();
        ASSERT_TRUE(SiteAddress::setBase(m_originalBase));
        AppPaths::setRoot(QString());
    }
    static QByteArray thumbPath(const QByteArray& name)
    {
        return "/wp-content/uploads/2016/03/201603" + name + "-150x150.png";
    }
    // A result page listing the names, each as thumbnail link + title link.
    QByteArray page(const QList<QByteArray>& names) const
    {
        QByteArray html = "<!DOCTYPE html><html><body><a href='" + base.toUtf8() + "'>Home</a>";
        for (const QByteArray& n : names) {
            const QByteArray post = base.toUtf8() + "2016/03/14/" + n + "-icon/";
            html += "<article><a href='" + post + "'><img src='" + thumbPath(n) + "'></a><h2><a href='" + post +
                    "'>" + n + "</a></h2></article>";
        }
        return html + "</body></html>";
    }
    QStringList cached() const
    {
        QStringList names = QDir(AppPaths::icons()).entryList(QDir::Files);
        names.sort();
        return names;
    }

    HeldHttpServer server;
    FakeResultView view;
    std::unique_ptr<CatalogueClient> client;
    QString base;

private:
    QTemporaryDir m_root;
    QString m_originalBase;
};
} // namespace

TEST_F(DrivenSite, ANewQueryDuringThePageWaitDropsTheOldPage)
{
    client->StartQuery("first");
    QTRY_VERIFY_WITH_TIMEOUT(server.isPending("/?s=first"), kBoundMs);
    client->StartQuery("second");
    QTRY_VERIFY_WITH_TIMEOUT(server.isPending("/?s=second"), kBoundMs);
    // Even if the old answer still got through, it must not be scraped.
    server.answer("/?s=first", 200, page({"old"}));
    server.answer("/?s=second", 200, page({"new1", "new2"}));
    QTRY_VERIFY_WITH_TIMEOUT(server.isPending(thumbPath("new1")) && server.isPending(thumbPath("new2")), kBoundMs);
    server.answer(thumbPath("new2"), 200, "PNG-2");
    server.answer(thumbPath("new1"), 200, "PNG-1");
    QTRY_COMPARE_WITH_TIMEOUT(view.completedLoads(), 1, kBoundMs);
    EXPECT_FALSE(client->isLoading());
    ASSERT_EQ(client->records().size(), 2u);
    EXPECT_EQ(client->records()[0].title, "new1, icon");
    EXPECT_EQ(client->records()[0].thumbFile, "201603new1-150x150.png");
    EXPECT_EQ(client->records()[1].title, "new2, icon");
    EXPECT_EQ(client->resultList(), (QStringList{AppPaths::icons() + "/201603new1-150x150.png",
                                                 AppPaths::icons() + "/201603new2-150x150.png"}));
    EXPECT_EQ(view.placed, 2);
    EXPECT_EQ(view.listSizeAtPlace, (std::vector<int>{1, 2}));
    EXPECT_EQ(view.ended, (std::vector<bool>{true, false}));
    EXPECT_FALSE(server.isPending(thumbPath("old")));
}

TEST_F(DrivenSite, ANewQueryDuringTheImagePassDropsTheOldThumbnails)
{
    client->StartQuery("a");
    QTRY_VERIFY_WITH_TIMEOUT(server.isPending("/?s=a"), kBoundMs);
    server.answer("/?s=a", 200, page({"a1", "a2", "a3"}));
    QTRY_VERIFY_WITH_TIMEOUT(server.isPending(thumbPath("a3")), kBoundMs);
    server.answer(thumbPath("a1"), 200, "A1");
    QTRY_COMPARE_WITH_TIMEOUT(view.placed, 1, kBoundMs);
    ASSERT_EQ(cached(), QStringList{"201603a1-150x150.png"});

    client->StartQuery("b");
    EXPECT_TRUE(client->resultList().isEmpty());
    EXPECT_TRUE(cached().isEmpty());  // the new query emptied the cache
    QTRY_VERIFY_WITH_TIMEOUT(server.isPending("/?s=b"), kBoundMs);
    server.answer(thumbPath("a2"), 200, "A2");
    server.answer(thumbPath("a3"), 200, "A3");
    server.answer("/?s=b", 200, page({"b1"}));
    QTRY_VERIFY_WITH_TIMEOUT(server.isPending(thumbPath("b1")), kBoundMs);
    server.answer(thumbPath("b1"), 200, "B1");
    QTRY_COMPARE_WITH_TIMEOUT(view.completedLoads(), 1, kBoundMs);
    EXPECT_EQ(cached(), QStringList{"201603b1-150x150.png"});
    EXPECT_EQ(client->resultList().size(), 1);
    EXPECT_EQ(client->state().resultCount, 1);
    EXPECT_EQ(client->records()[0].title, "b1, icon");
    EXPECT_EQ(view.placed, 2);  // one of the old query, one of the new
}

TEST_F(DrivenSite, RepeatedAndFailedImagesFollowTheSkippingRules)
{
    client->StartQuery("");
    QTRY_VERIFY_WITH_TIMEOUT(server.isPending("/"), kBoundMs);
    // Two posts; images: x, x again right after, a 404, y, an empty body, one byte, x, no name.
    const QByteArray b = base.toUtf8();
    QByteArray html = "<a href='" + b + "2016/03/14/x-icon/'>x</a><a href='" + b + "2016/03/14/y-icon/'>y</a>";
    const QList<QPair<QByteArray, QByteArray>> images{{"/f/x.png", "XX"},    {"/f/x.png", "XX"},
                                                      {"/f/fail.png", ""},   {"/f/y.png", "YY"},
                                                      {"/f/empty.png", ""},  {"/f/one.png", "1"},
                                                      {"/f/x.png", "X2"},    {"/f/dir/", "DD"}};
    for (const auto& image : images)
        html += "<img src='" + image.first + "'>";
    server.answer("/", 200, html);

    QElapsedTimer clock;
    clock.start();
    while (view.completedLoads() == 0 && clock.elapsed() < kBoundMs) {
        for (const auto& image : images)
            server.answer(image.first, image.first == "/f/fail.png" ? 404 : 200, image.second);
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    ASSERT_EQ(view.completedLoads(), 1);
    QStringList names;
    for (const QString& p : client->resultList())
        names << QFileInfo(p).fileName();
    EXPECT_EQ(names, (QStringList{"x.png", "y.png", "x.png"}));
    ASSERT_EQ(client->records().size(), 3u);
    EXPECT_EQ(client->records()[0].title, "x, icon");
    EXPECT_EQ(client->records()[0].thumbFile, "x.png");
    EXPECT_EQ(client->records()[1].thumbFile, "y.png");
    // The surplus thumbnail gets a record with empty texts.
    EXPECT_EQ(client->records()[2].thumbFile, "x.png");
    EXPECT_TRUE(client->records()[2].title.isEmpty());
    EXPECT_TRUE(client->records()[2].postLink.isEmpty());
    EXPECT_EQ(cached(), (QStringList{"x.png", "y.png"}));
    EXPECT_EQ(view.placed, 3);
    EXPECT_TRUE(view.loadMore.empty());
    EXPECT_EQ(view.progress.back(), 0);
    EXPECT_NE(std::find(view.progress.begin(), view.progress.end(), 30), view.progress.end());
}

TEST_F(DrivenSite, StalledPageEndsAtTheTimeoutWhileEventsKeepFlowing)
{
    client->setPageTimeout(400);
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&ticks]() { ++ticks; });
    timer.start(20);
    client->StartQuery("stalled");
    QTRY_VERIFY_WITH_TIMEOUT(server.isPending("/?s=stalled"), kBoundMs);
    QTRY_COMPARE_WITH_TIMEOUT(view.completedLoads(), 1, kBoundMs);
    EXPECT_GE(ticks, 3);  // the page wait never blocked the event loop
    EXPECT_FALSE(client->isLoading());
    EXPECT_TRUE(client->resultList().isEmpty());
    EXPECT_TRUE(client->records().empty());
    EXPECT_EQ(view.progress.back(), 0);
    // The client is usable afterwards.
    client->setPageTimeout(kBoundMs);
    client->StartQuery("next");
    QTRY_VERIFY_WITH_TIMEOUT(server.isPending("/?s=next"), kBoundMs);
    server.answer("/?s=next", 200, page({"n"}));
    QTRY_VERIFY_WITH_TIMEOUT(server.isPending(thumbPath("n")), kBoundMs);
    server.answer(thumbPath("n"), 200, "NN");
    QTRY_COMPARE_WITH_TIMEOUT(view.completedLoads(), 2, kBoundMs);
    EXPECT_EQ(client->resultList().size(), 1);
}

TEST_F(DrivenSite, HostileNamesAndCutConnectionsWriteNothingOutsideTheCache)
{
    client->StartQuery("");
    QTRY_VERIFY_WITH_TIMEOUT(server.isPending("/"), kBoundMs);
    const QList<QByteArray> images{"/h/..",       "/h/%2e%2e",      "/h/a%5Cb.png", "/h/%01x.png",
                                   "/h/" + QByteArray(300, 'n') + ".png", "/h/..%2Fescape.png",
                                   "/h/%2E%2E%2F%2E%2E%2Fup.png", "/h/cut.png", "/h/fine.png"};
    QByteArray html = "<a href='" + base.toUtf8() + "2016/03/14/one/'>x</a>";
    for (const QByteArray& image : images)
        html += "<img src='" + image + "'>";
    server.answer("/", 200, html);
    QElapsedTimer clock;
    clock.start();
    while (view.completedLoads() == 0 && clock.elapsed() < kBoundMs) {
        server.cut("/h/cut.png");
        // Answer whatever path the client actually asked for (its own normalised form).
        // answer() appends to the log: walk a copy.
        const std::vector<QByteArray> requests = server.log;
        for (const QByteArray& entry : requests)
            if (entry.startsWith("request "))
                server.answer(entry.mid(8), 200, "HOSTILE");
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    ASSERT_EQ(view.completedLoads(), 1);
    // Only the cache folder exists beside it, and the cache holds plain files only.
    EXPECT_EQ(QDir(AppPaths::root()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"Icons"});
    EXPECT_EQ(QDir(AppPaths::root() + "/..").entryList({"escape.png", "up.png"}, QDir::Files), QStringList{});
    const QStringList inCache = QDir(AppPaths::icons()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    EXPECT_TRUE(inCache.contains("fine.png")) << inCache.join(" ").toStdString();
    EXPECT_FALSE(inCache.contains("cut.png"));
    // Encoded separators stay literal text in the file name; ".." forms and the overlong name are refused.
    QStringList sorted = inCache;
    sorted.sort();
    EXPECT_EQ(sorted, (QStringList{"%01x.png", "..%2F..%2Fup.png", "..%2Fescape.png", "a%5Cb.png", "fine.png"}));
    for (const QString& name : inCache) {
        EXPECT_TRUE(QFileInfo(AppPaths::icons() + "/" + name).isFile()) << name.toStdString();
        EXPECT_TRUE(ThumbnailCache::isSafeName(name)) << name.toStdString();
    }
    for (const QString& path : client->resultList())
        EXPECT_EQ(QFileInfo(path).absolutePath(), QFileInfo(AppPaths::icons()).absoluteFilePath());
}
