#include "HeldHttpServer.h"

#include "platform/PageLoader.h"
#include "platform/Transfer.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {
constexpr int kBoundMs = 10000;

struct Outcome {
    bool done = false;
    bool ok = false;
    QByteArray body;
    int signals = 0;
};

void observe(Transfer& t, Outcome& out)
{
    QObject::connect(&t, &Transfer::finished, [&out](bool ok, const QByteArray& body) {
        out.done = true;
        out.ok = ok;
        out.body = body;
        ++out.signals;
    });
}
} // namespace

TEST(Transfer, BodyOnSuccessNothingOnErrorStatus)
{
    HeldHttpServer server;
    ASSERT_TRUE(server.isListening());
    Transfer t;
    Outcome out;
    observe(t, out);

    t.get(QUrl(server.url("/a.png")));
    EXPECT_TRUE(t.isRunning());
    QTRY_VERIFY_WITH_TIMEOUT(server.isPending("/a.png"), kBoundMs);
    server.answer("/a.png", 200, QByteArray("\x89PNG\r\n\x1a\n\0rest", 13));
    QTRY_VERIFY_WITH_TIMEOUT(out.done, kBoundMs);
    EXPECT_TRUE(out.ok);
    EXPECT_EQ(out.body, QByteArray("\x89PNG\r\n\x1a\n\0rest", 13));
    EXPECT_FALSE(t.isRunning());

    // The same transfer is reused for the next address; a 404 is a failure with no body.
    out = Outcome();
    t.get(QUrl(server.url("/missing")));
    QTRY_VERIFY_WITH_TIMEOUT(server.isPending("/missing"), kBoundMs);
    server.answer("/missing", 404, "<html>not found</html>");
    QTRY_VERIFY_WITH_TIMEOUT(out.done, kBoundMs);
    EXPECT_FALSE(out.ok);
    EXPECT_TRUE(out.body.isEmpty());
    EXPECT_EQ(out.signals, 1);

    // A server error too.
    out = Outcome();
    t.get(QUrl(server.url("/boom")));
    QTRY_VERIFY_WITH_TIMEOUT(server.isPending("/boom"), kBoundMs);
    server.answer("/boom", 500, "x");
    QTRY_VERIFY_WITH_TIMEOUT(out.done, kBoundMs);
    EXPECT_FALSE(out.ok);
}

TEST(Transfer, OversizedBodyFails)
{
    HeldHttpServer server;
    Transfer t;
    t.setMaxBytes(1000);
    Outcome out;
    observe(t, out);
    t.get(QUrl(server.url("/big")));
    QTRY_VERIFY_WITH_TIMEOUT(server.isPending("/big"), kBoundMs);
    server.answer("/big", 200, QByteArray(5000, 'x'));
    QTRY_VERIFY_WITH_TIMEOUT(out.done, kBoundMs);
    EXPECT_FALSE(out.ok);
    EXPECT_TRUE(out.body.isEmpty());
    EXPECT_EQ(out.signals, 1);

    // Exactly at the cap is fine.
    out = Outcome();
    t.get(QUrl(server.url("/exact")));
    QTRY_VERIFY_WITH_TIMEOUT(server.isPending("/exact"), kBoundMs);
    server.answer("/exact", 200, QByteArray(1000, 'y'));
    QTRY_VERIFY_WITH_TIMEOUT(out.done, kBoundMs);
    EXPECT_TRUE(out.ok);
    EXPECT_EQ(out.body.size(), 1000);
}

TEST(Transfer, TimeoutFailsAndLateAnswerIsIgnored)
{
    HeldHttpServer server;
    Transfer t;
    t.setTimeout(300);
    Outcome out;
    observe(t, out);
    QElapsedTimer clock;
    clock.start();
    t.get(QUrl(server.url("/never")));
    QTRY_VERIFY_WITH_TIMEOUT(out.done, kBoundMs);
    EXPECT_GE(clock.elapsed(), 250);
    EXPECT_FALSE(out.ok);
    EXPECT_FALSE(t.isRunning());
    // The aborted connection closes; an answer can no longer reach the transfer.
    QTRY_VERIFY_WITH_TIMEOUT(server.disconnects >= 1, kBoundMs);
    server.answer("/never", 200, "late");
    QCoreApplication::processEvents();
    EXPECT_EQ(out.signals, 1);
}

TEST(Transfer, CancelEmitsNothing)
{
    HeldHttpServer server;
    Transfer t;
    Outcome out;
    observe(t, out);
    t.get(QUrl(server.url("/held")));
    QTRY_VERIFY_WITH_TIMEOUT(server.isPending("/held"), kBoundMs);
    t.Cancel();
    EXPECT_FALSE(t.isRunning());
    QTRY_VERIFY_WITH_TIMEOUT(server.disconnects >= 1, kBoundMs);

    // A second transfer started after the cancel completes; the cancelled one stays silent.
    Transfer other;
    Outcome second;
    observe(other, second);
    other.get(QUrl(server.url("/after")));
    QTRY_VERIFY_WITH_TIMEOUT(server.isPending("/after"), kBoundMs);
    server.answer("/after", 200, "ok");
    QTRY_VERIFY_WITH_TIMEOUT(second.done, kBoundMs);
    EXPECT_EQ(out.signals, 0);

    // A new get() on a running transfer replaces it: only the second address reports.
    out = Outcome();
    t.get(QUrl(server.url("/first")));
    QTRY_VERIFY_WITH_TIMEOUT(server.isPending("/first"), kBoundMs);
    t.get(QUrl(server.url("/second")));
    QTRY_VERIFY_WITH_TIMEOUT(server.isPending("/second"), kBoundMs);
    server.answer("/first", 200, "one");
    server.answer("/second", 200, "two");
    QTRY_VERIFY_WITH_TIMEOUT(out.done, kBoundMs);
    EXPECT_EQ(out.body, "two");
    EXPECT_EQ(out.signals, 1);

    // Destroying a running transfer is safe.
    {
        Transfer doomed;
        doomed.get(QUrl(server.url("/doomed")));
        QTRY_VERIFY_WITH_TIMEOUT(server.isPending("/doomed"), kBoundMs);
    }
    QTRY_VERIFY_WITH_TIMEOUT(!server.isPending("/doomed"), kBoundMs);
}

TEST(PageLoader, CompletesWithTheDocumentOrEmptyOnFailure)
{
    HeldHttpServer server;
    PageLoader page;
    QSignalSpy complete(&page, &PageLoader::documentComplete);
    page.Navigate(server.url("/"));
    EXPECT_NE(page.ReadyState(), PageLoader::kReadyComplete);
    QTRY_VERIFY_WITH_TIMEOUT(server.isPending("/"), kBoundMs);
    server.answer("/", 200,
                  "<html><body><a href='2016/01/02/one/'><img src='wp-content/uploads/2016/01/a-150x150.png'></a>"
                  "<a href='2016/01/02/one/'>one</a></body></html>");
    QTRY_COMPARE_WITH_TIMEOUT(complete.size(), 1, kBoundMs);
    EXPECT_TRUE(complete[0][0].toBool());
    EXPECT_EQ(page.ReadyState(), PageLoader::kReadyComplete);
    EXPECT_EQ(page.links(), (QStringList{server.url("/2016/01/02/one/"), server.url("/2016/01/02/one/")}));
    EXPECT_EQ(page.images(), (QStringList{server.url("/wp-content/uploads/2016/01/a-150x150.png")}));

    // A failing page completes as an empty document (the previous one is gone).
    page.Navigate(server.url("/page/9"));
    EXPECT_TRUE(page.links().isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(server.isPending("/page/9"), kBoundMs);
    server.answer("/page/9", 404, "<a href='2016/01/01/x/'>x</a>");
    QTRY_COMPARE_WITH_TIMEOUT(complete.size(), 2, kBoundMs);
    EXPECT_FALSE(complete[1][0].toBool());
    EXPECT_TRUE(page.links().isEmpty());
    EXPECT_TRUE(page.images().isEmpty());

    // Stop ends the wait at once and reports nothing.
    page.setTimeout(kBoundMs);
    page.Navigate(server.url("/slow"));
    QTRY_VERIFY_WITH_TIMEOUT(server.isPending("/slow"), kBoundMs);
    page.Stop();
    EXPECT_EQ(page.ReadyState(), PageLoader::kReadyComplete);
    server.answer("/slow", 200, "<a href='/2016/'>x</a>");
    Transfer sync;  // a later request through the same network layer completes first
    Outcome out;
    observe(sync, out);
    sync.get(QUrl(server.url("/sync")));
    QTRY_VERIFY_WITH_TIMEOUT(server.isPending("/sync"), kBoundMs);
    server.answer("/sync", 200, "s");
    QTRY_VERIFY_WITH_TIMEOUT(out.done, kBoundMs);
    EXPECT_EQ(complete.size(), 2);
}
