#include "HeldHttpServer.h"
#include "support/WaitFor.h"

#include "platform/PageLoader.h"
#include "platform/Transfer.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QThreadPool>
#include <QTimer>

#include <gtest/gtest.h>

static constexpr int kBoundMs = 10000;
static constexpr qint64 kCap = Transfer::kDefaultMaxBytes;

// One start tag with n attributes of distinct names: the parser checks each new name against all
// before it.
static QByteArray tagWithAttributes(int n)
{
    QByteArray html = "<a";
    for (int i = 0; i < n; ++i)
        html += " x" + QByteArray::number(i) + "=1";
    return html + ">";
}

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
    t.cancel();
    WAIT_UNTIL(!server.isPending("/cancelled") && !server.isPending("/held"), kBoundMs);
    EXPECT_EQ(done.size(), 1);
}

TEST(Transfer, FetchesOnlyHttpAddressesAlsoAfterRedirectsAndSaysWhyItFailed)
{
    HeldHttpServer server;
    Transfer t;
    QSignalSpy done(&t, &Transfer::finished);
    using F = Transfer::Failure;
    // Other schemes fail from the event loop without reading anything.
    for (const QString url : {"file:///etc/hostname", "data:image/png;base64,iVBORw0KGgo=",
                              "ftp://127.0.0.1/x", "/relative.png", ""}) {
        done.clear();
        t.get(QUrl(url));
        EXPECT_EQ(done.size(), 0) << url.toStdString();
        WAIT_EQ(done.size(), 1, kBoundMs);
        EXPECT_FALSE(done[0][0].toBool());
        EXPECT_EQ(t.lastFailure(), F::RefusedScheme) << url.toStdString();
    }
    auto fetch = [&](const QByteArray& path, int status, const QByteArray& headers = {}) {
        done.clear();
        t.get(QUrl(server.url(path)));
        EXPECT_TRUE(QTest::qWaitFor([&] { return server.isPending(path); }, kBoundMs));
        server.answer(path, status, "body", headers);
        EXPECT_TRUE(QTest::qWaitFor([&] { return done.size() == 1; }, kBoundMs));
        return done.size() == 1 ? std::pair(done[0][0].toBool(), t.lastFailure())
                                : std::pair(true, F::TimedOut);
    };
    EXPECT_EQ(fetch("/redirect-to-file", 302, "Location: file:///etc/hostname\r\n"),
              std::pair(false, F::NoAnswer));
    // Error statuses and closed ports are told apart where the user sees them (the client's notices).
    EXPECT_EQ(fetch("/gone", 410), std::pair(false, F::HttpError));
    EXPECT_EQ(t.lastStatus(), 410);

    // A redirect to another http address is followed.
    done.clear();
    t.get(QUrl(server.url("/moved")));
    WAIT_UNTIL(server.isPending("/moved"), kBoundMs);
    server.answer("/moved", 301, "", "Location: " + server.url("/new").toUtf8() + "\r\n");
    WAIT_UNTIL(server.isPending("/new"), kBoundMs);
    server.answer("/new", 200, "new");
    WAIT_EQ(done.size(), 1, kBoundMs);
    EXPECT_EQ(done[0][1].toByteArray(), "new");
}

TEST(PageLoader, CompletesWithTheDocumentOrSaysWhyItIsEmpty)
{
    HeldHttpServer server;
    PageLoader page;
    QSignalSpy complete(&page, &PageLoader::documentComplete);
    using O = PageLoader::Outcome;
    auto load = [&](const QByteArray& path, int status, const QByteArray& body) {
        complete.clear();
        page.navigate(server.url(path));
        EXPECT_TRUE(QTest::qWaitFor([&] { return server.isPending(path); }, kBoundMs));
        server.answer(path, status, body);
        EXPECT_TRUE(QTest::qWaitFor([&] { return complete.size() == 1; }, kBoundMs));
        EXPECT_EQ(page.ReadyState(), PageLoader::kReadyComplete);
        return complete.size() == 1 ? complete[0][0].value<O>() : O::NoAnswer;
    };
    EXPECT_EQ(load("/", 200, "<a href='2016/01/02/one/'><img src='wp/a-150x150.png'></a>"), O::Loaded);
    EXPECT_EQ(page.links(), QStringList{server.url("/2016/01/02/one/")});
    EXPECT_EQ(page.images(), QStringList{server.url("/wp/a-150x150.png")});

    // A failure leaves an empty document (the previous one is gone). Each outcome's notice is
    // checked where the user sees it, in the client's tests.
    EXPECT_EQ(
        load("/huge", 200, "<a href='2016/01/01/x/'>x</a>" + QByteArray(PageLoader::kMaxPageBytes, ' ')),
        O::TooLarge);
    EXPECT_TRUE(page.links().isEmpty() && page.images().isEmpty());
    EXPECT_EQ(load("/missing", 404, "<a href='2016/01/01/x/'>x</a>"), O::HttpError);
    EXPECT_EQ(page.httpStatus(), 404);

    complete.clear();
    page.navigate(server.url("/slow"));
    WAIT_UNTIL(server.isPending("/slow"), kBoundMs);
    page.stop();
    WAIT_UNTIL(!server.isPending("/slow"), kBoundMs);
    EXPECT_EQ(complete.size(), 0);
}

TEST(PageLoader, ParsesOffTheWindowThreadAndANewerPageDropsTheOlderOne)
{
    HeldHttpServer server;
    PageLoader page;
    HtmlDocument::Limits slow; // only the time budget stops this parse
    slow.parser.budgetMs = 1000;
    slow.parser.maxAttributesPerTag = slow.parser.maxAttributes = 1 << 30;
    page.setLimits(slow);
    const QByteArray hostile = tagWithAttributes(200000);
    QSignalSpy complete(&page, &PageLoader::documentComplete);
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
    ticker.start(10);
    page.navigate(server.url("/hostile"));
    WAIT_UNTIL(server.isPending("/hostile"), kBoundMs);
    server.answer("/hostile", 200, hostile);
    WAIT_EQ(complete.size(), 1, kBoundMs);
    EXPECT_EQ(complete[0][0].value<PageLoader::Outcome>(), PageLoader::Outcome::BadMarkup);
    EXPECT_GE(ticks, 20); // the window's timers ran all through the one-second parse

    // The first page is dropped whether it is still arriving or already being parsed.
    complete.clear();
    page.navigate(server.url("/first"));
    WAIT_UNTIL(server.isPending("/first"), kBoundMs);
    server.answer("/first", 200, hostile);
    page.navigate(server.url("/second"));
    WAIT_UNTIL(server.isPending("/second"), kBoundMs);
    server.answer("/second", 200, "<a href='/2016/second/'>s</a>");
    WAIT_EQ(complete.size(), 1, kBoundMs);
    // Once every parse has ended and its result was delivered, still only the second page counts.
    ASSERT_TRUE(QThreadPool::globalInstance()->waitForDone(kBoundMs));
    QCoreApplication::processEvents();
    ASSERT_EQ(complete.size(), 1);
    EXPECT_EQ(page.links(), QStringList{server.url("/2016/second/")});
}

TEST(Transfer, RefusesADeclaredLengthOverTheCapUnreadAndCutsAnEndlessBodyAtTheCap)
{
    constexpr qint64 kSmallCap = 64 * 1024;
    HeldHttpServer server;
    Transfer t;
    t.setMaxBytes(kSmallCap);
    t.setTimeout(0); // only the cap can end these
    QSignalSpy done(&t, &Transfer::finished);
    qint64 mostHeld = 0;
    QObject::connect(&t, &Transfer::progress,
                     [&](qint64 received, qint64) { mostHeld = std::max(mostHeld, received); });

    // Five gigabytes declared: refused on the headers, with not one byte of the body sent.
    t.get(QUrl(server.url("/declared")));
    WAIT_UNTIL(server.isPending("/declared"), kBoundMs);
    ASSERT_TRUE(server.begin("/declared", qint64(5) << 30));
    WAIT_EQ(done.size(), 1, kBoundMs);
    EXPECT_EQ(std::pair(done[0][0].toBool(), t.lastFailure()), std::pair(false, Transfer::Failure::TooLarge));
    EXPECT_EQ(mostHeld, 0);

    // No length declared and no end: the body is cut off at the cap, never held beyond it.
    done.clear();
    t.get(QUrl(server.url("/endless")));
    WAIT_UNTIL(server.isPending("/endless"), kBoundMs);
    ASSERT_TRUE(server.begin("/endless"));
    QTimer feed;
    QObject::connect(&feed, &QTimer::timeout, [&] {
        if (server.unsent("/endless") < kSmallCap)
            server.send("/endless", QByteArray(16 * 1024, 'e'));
    });
    feed.start(1);
    WAIT_EQ(done.size(), 1, kBoundMs);
    EXPECT_EQ(std::pair(done[0][0].toBool(), t.lastFailure()), std::pair(false, Transfer::Failure::TooLarge));
    EXPECT_LE(mostHeld, kSmallCap);
}

TEST(Transfer, AnIdleLimitLetsASlowSteadyBodyArriveAndEndsAStalledOne)
{
    HeldHttpServer server;
    Transfer t;
    t.setTimeout(0);
    t.setIdleTimeout(600);
    QSignalSpy done(&t, &Transfer::finished);
    QSignalSpy progress(&t, &Transfer::progress);

    // 24 pieces 100 ms apart: four times the idle limit in all, never idle for long.
    t.get(QUrl(server.url("/slow")));
    WAIT_UNTIL(server.isPending("/slow"), kBoundMs);
    ASSERT_TRUE(server.begin("/slow", 24 * 1000));
    QElapsedTimer clock;
    clock.start();
    int sent = 0;
    QTimer drip;
    QObject::connect(&drip, &QTimer::timeout, [&] {
        if (sent < 24)
            server.send("/slow", QByteArray(1000, char('a' + sent++ % 26)));
    });
    drip.start(100);
    WAIT_EQ(done.size(), 1, kBoundMs);
    EXPECT_GE(clock.elapsed(), 2000);
    ASSERT_TRUE(done[0][0].toBool());
    EXPECT_EQ(done[0][1].toByteArray().size(), 24 * 1000);
    ASSERT_GE(progress.size(), 2);
    EXPECT_EQ(progress.last().at(1).toLongLong(), 24 * 1000); // the declared size comes along
    EXPECT_LT(progress.first().at(0).toLongLong(), progress.last().at(0).toLongLong());

    // A body that stops coming ends at the idle limit.
    drip.stop();
    done.clear();
    t.get(QUrl(server.url("/stalled")));
    WAIT_UNTIL(server.isPending("/stalled"), kBoundMs);
    ASSERT_TRUE(server.begin("/stalled", 24 * 1000));
    server.send("/stalled", QByteArray(1000, 's'));
    clock.restart();
    WAIT_EQ(done.size(), 1, kBoundMs);
    EXPECT_GE(clock.elapsed(), 500);
    EXPECT_EQ(std::pair(done[0][0].toBool(), t.lastFailure()), std::pair(false, Transfer::Failure::TimedOut));
}

TEST(PageLoader, ReadsAPageInTheCharacterSetItIsWrittenIn)
{
    HeldHttpServer server;
    PageLoader page;
    QSignalSpy complete(&page, &PageLoader::documentComplete);
    // UTF-16 with a byte-order mark, as Windows tools write it.
    const QString html = QStringLiteral("<a href='/2016/01/02/caf\u00e9-one/'><img src='/t/1.png'></a>"
                                        "<a href='/2016/01/02/two/'><img src='/t/2.png'></a>"
                                        "<a href='/2016/01/02/three/'><img src='/t/3.png'></a>");
    const QByteArray utf16 =
        QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char*>(html.utf16()), html.size() * 2);
    page.navigate(server.url("/utf16"));
    WAIT_UNTIL(server.isPending("/utf16"), kBoundMs);
    server.answer("/utf16", 200, utf16);
    WAIT_EQ(complete.size(), 1, kBoundMs);
    EXPECT_EQ(page.links().size(), 3);
    EXPECT_EQ(page.links().value(0), server.url("/2016/01/02/caf%C3%A9-one/"));
    EXPECT_EQ(page.images().size(), 3);
}
