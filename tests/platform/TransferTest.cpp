#include "HeldHttpServer.h"
#include "support/WaitFor.h"

#include "platform/PageLoader.h"
#include "platform/Transfer.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

static constexpr int kBoundMs = 10000;
static constexpr qint64 kCap = Transfer::kDefaultMaxBytes;

TEST(Transfer, BodyOnSuccessNothingOnErrorStatusOversizeOrTimeout)
{
    HeldHttpServer server;
    Transfer t;
    QSignalSpy done(&t, &Transfer::finished);
    const struct {
        const char* path;
        int status;
        QByteArray body;
        bool ok;
    } cases[] = {{"/a.png", 200, QByteArray("\x89PNG\r\n\x1a\n\0rest", 13), true},
                 {"/missing", 404, "not found", false},
                 {"/boom", 500, "x", false},
                 {"/big", 200, QByteArray(kCap + 1, 'x'), false},
                 {"/exact", 200, QByteArray(kCap, 'y'), true},
                 {"/never", 0, {}, false}};
    t.setTimeout(2000);
    for (const auto& c : cases) {
        done.clear();
        QElapsedTimer clock;
        clock.start();
        t.get(QUrl(server.url(c.path))); // the same transfer serves one address after another
        WAIT_UNTIL(server.isPending(c.path), kBoundMs);
        if (c.status)
            server.answer(c.path, c.status, c.body);
        WAIT_EQ(done.size(), 1, kBoundMs);
        EXPECT_EQ(done[0][0].toBool(), c.ok) << c.path;
        EXPECT_TRUE(done[0][1].toByteArray() == (c.ok ? c.body : QByteArray())) << c.path;
        EXPECT_TRUE(c.status || clock.elapsed() >= 1000) << c.path; // waited for the limit
    }
}

TEST(Transfer, CancelOrANewGetSilencesTheEarlierRequest)
{
    HeldHttpServer server;
    Transfer t;
    QSignalSpy done(&t, &Transfer::finished);
    for (const QByteArray path : {"/held", "/first", "/second"}) {
        t.get(QUrl(server.url(path))); // a new get replaces the running one
        WAIT_UNTIL(server.isPending(path), kBoundMs);
    }
    server.answer("/first", 200, "one");
    server.answer("/second", 200, "two");
    WAIT_EQ(done.size(), 1, kBoundMs);
    EXPECT_EQ(done[0][1].toByteArray(), "two");
    t.get(QUrl(server.url("/cancelled")));
    WAIT_UNTIL(server.isPending("/cancelled"), kBoundMs);
    t.Cancel();
    WAIT_UNTIL(!server.isPending("/cancelled") && !server.isPending("/held"), kBoundMs);
    EXPECT_EQ(done.size(), 1);
}

TEST(PageLoader, CompletesWithTheDocumentOrEmptyOnFailureAndStopReportsNothing)
{
    HeldHttpServer server;
    PageLoader page;
    QSignalSpy complete(&page, &PageLoader::documentComplete);
    page.Navigate(server.url("/"));
    WAIT_UNTIL(server.isPending("/"), kBoundMs);
    server.answer("/", 200, "<a href='2016/01/02/one/'><img src='wp/a-150x150.png'></a>");
    WAIT_EQ(complete.size(), 1, kBoundMs);
    EXPECT_TRUE(complete[0][0].toBool());
    EXPECT_EQ(page.links(), QStringList{server.url("/2016/01/02/one/")});
    EXPECT_EQ(page.images(), QStringList{server.url("/wp/a-150x150.png")});

    // A page above the size cap completes as an empty document (the previous one is gone).
    page.Navigate(server.url("/huge"));
    WAIT_UNTIL(server.isPending("/huge"), kBoundMs);
    server.answer("/huge", 200, "<a href='2016/01/01/x/'>x</a>" + QByteArray(PageLoader::kMaxPageBytes, ' '));
    WAIT_EQ(complete.size(), 2, kBoundMs);
    EXPECT_FALSE(complete[1][0].toBool());
    EXPECT_TRUE(page.links().isEmpty() && page.images().isEmpty());

    page.Navigate(server.url("/slow"));
    WAIT_UNTIL(server.isPending("/slow"), kBoundMs);
    page.Stop();
    WAIT_UNTIL(!server.isPending("/slow"), kBoundMs);
    EXPECT_EQ(complete.size(), 2);
}
