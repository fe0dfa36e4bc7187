#include "HeldHttpServer.h"

#include "platform/PageLoader.h"
#include "platform/Transfer.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {
constexpr int kBoundMs = 10000;
constexpr qint64 kCap = Transfer::kDefaultMaxBytes;
} // namespace

TEST(Transfer, BodyOnSuccessNothingOnErrorStatusOversizeOrTimeout)
{
    HeldHttpServer server;
    Transfer t;
    QSignalSpy done(&t, &Transfer::finished);
    const struct { const char* path; int status; QByteArray body; bool ok; } cases[] = {
        {"/a.png", 200, QByteArray("\x89PNG\r\n\x1a\n\0rest", 13), true}, {"/missing", 404, "not found", false},
        {"/boom", 500, "x", false}, {"/big", 200, QByteArray(kCap + 1, 'x'), false},
        {"/exact", 200, QByteArray(kCap, 'y'), true}};
    for (const auto& c : cases) {
        done.clear();
        t.get(QUrl(server.url(c.path)));  // the same transfer serves one address after another
        QTRY_VERIFY_WITH_TIMEOUT(server.isPending(c.path), kBoundMs);
        server.answer(c.path, c.status, c.body);
        QTRY_COMPARE_WITH_TIMEOUT(done.size(), 1, kBoundMs);
        EXPECT_EQ(done[0][0].toBool(), c.ok) << c.path;
        EXPECT_TRUE(done[0][1].toByteArray() == (c.ok ? c.body : QByteArray())) << c.path;
        EXPECT_FALSE(t.isRunning());
    }
    done.clear();
    t.setTimeout(300);
    QElapsedTimer clock;
    clock.start();
    t.get(QUrl(server.url("/never")));
    QTRY_COMPARE_WITH_TIMEOUT(done.size(), 1, kBoundMs);
    EXPECT_GE(clock.elapsed(), 250);
    EXPECT_FALSE(done[0][0].toBool());
    QTRY_VERIFY_WITH_TIMEOUT(!server.isPending("/never"), kBoundMs);  // the connection was aborted
}

TEST(Transfer, CancelOrANewGetSilencesTheEarlierRequest)
{
    HeldHttpServer server;
    Transfer t;
    QSignalSpy done(&t, &Transfer::finished);
    t.get(QUrl(server.url("/held")));
    QTRY_VERIFY_WITH_TIMEOUT(server.isPending("/held"), kBoundMs);
    t.Cancel();
    EXPECT_FALSE(t.isRunning());
    QTRY_VERIFY_WITH_TIMEOUT(!server.isPending("/held"), kBoundMs);
    t.get(QUrl(server.url("/first")));
    QTRY_VERIFY_WITH_TIMEOUT(server.isPending("/first"), kBoundMs);
    t.get(QUrl(server.url("/second")));
    QTRY_VERIFY_WITH_TIMEOUT(server.isPending("/second"), kBoundMs);
    server.answer("/first", 200, "one");
    server.answer("/second", 200, "two");
    QTRY_COMPARE_WITH_TIMEOUT(done.size(), 1, kBoundMs);
    EXPECT_EQ(done[0][1].toByteArray(), "two");
}

TEST(PageLoader, CompletesWithTheDocumentOrEmptyOnFailureAndStopReportsNothing)
{
    HeldHttpServer server;
    PageLoader page;
    QSignalSpy complete(&page, &PageLoader::documentComplete);
    page.Navigate(server.url("/"));
    EXPECT_NE(page.ReadyState(), PageLoader::kReadyComplete);
    QTRY_VERIFY_WITH_TIMEOUT(server.isPending("/"), kBoundMs);
    server.answer("/", 200, "<a href='2016/01/02/one/'><img src='wp/a-150x150.png'></a>");
    QTRY_COMPARE_WITH_TIMEOUT(complete.size(), 1, kBoundMs);
    EXPECT_TRUE(complete[0][0].toBool());
    EXPECT_EQ(page.ReadyState(), PageLoader::kReadyComplete);
    EXPECT_EQ(page.links(), QStringList{server.url("/2016/01/02/one/")});
    EXPECT_EQ(page.images(), QStringList{server.url("/wp/a-150x150.png")});

    // A page above the size cap completes as an empty document (the previous one is gone).
    page.Navigate(server.url("/huge"));
    EXPECT_TRUE(page.links().isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(server.isPending("/huge"), kBoundMs);
    server.answer("/huge", 200, "<a href='2016/01/01/x/'>x</a>" + QByteArray(PageLoader::kMaxPageBytes, ' '));
    QTRY_COMPARE_WITH_TIMEOUT(complete.size(), 2, kBoundMs);
    EXPECT_FALSE(complete[1][0].toBool());
    EXPECT_TRUE(page.links().isEmpty() && page.images().isEmpty());

    page.Navigate(server.url("/slow"));
    QTRY_VERIFY_WITH_TIMEOUT(server.isPending("/slow"), kBoundMs);
    page.Stop();
    EXPECT_EQ(page.ReadyState(), PageLoader::kReadyComplete);
    QTRY_VERIFY_WITH_TIMEOUT(!server.isPending("/slow"), kBoundMs);
    EXPECT_EQ(complete.size(), 2);
}
