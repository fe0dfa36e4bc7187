// The program over real HTTP: its first line, headers, bad requests, latency and concurrency, the
// request log, the faults that live in the connection, exit codes and a clean stop; and a server
// that listens before its icons are indexed.
#include "SiteFixture.h"
#include "catalogue-site/RequestLog.h"
#include "catalogue-site/SiteServer.h"
#include "support/SiteProcess.h"
#include "support/WaitFor.h"

#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>

#include <httplib.h>

#include <atomic>
#include <csignal>
#include <future>

#include <gtest/gtest.h>

namespace
{
// What arrives for a GET of any target, as far as it arrives: a body cut short keeps what came.
struct RawResponse {
    int status = 0;
    QByteArray contentType, body;
    qint64 contentLength = 0, elapsedMs = 0;
    bool timedOut = false; // otherwise the answer ended or the server closed the connection
};

// `headersArrived` is set as soon as the headers are in.
RawResponse fetch(int port, const std::string& target, int timeoutMs = 20000,
                  std::atomic<bool>* headersArrived = {})
{
    RawResponse r;
    QElapsedTimer clock;
    clock.start();
    httplib::Client client("127.0.0.1", port);
    client.set_url_encode(false); // the target goes out as written, broken escapes and all
    client.set_read_timeout(std::chrono::milliseconds(timeoutMs));
    const auto onHeaders = [&](const httplib::Response& head) {
        r.status = head.status;
        r.contentType = QByteArray::fromStdString(head.get_header_value("Content-Type"));
        r.contentLength = QByteArray::fromStdString(head.get_header_value("Content-Length")).toLongLong();
        if (headersArrived)
            *headersArrived = true;
        return true;
    };
    client.Get(target, onHeaders, [&](const char* data, size_t n) {
        r.body.append(data, qsizetype(n));
        return true;
    });
    r.elapsedMs = clock.elapsed();
    r.timedOut = r.elapsedMs >= timeoutMs;
    return r;
}
} // namespace

TEST(SiteProgram, AnswersEachRequestAfterItsLatencyLogsThemAndStopsCleanly)
{
    constexpr int kLatency = 200;
    QTemporaryDir dir;
    const QString log = dir.filePath("site.log");
    // The folder holds no icon (only the log), so the catalogue is the generated one.
    SiteProcess site({"--icons", dir.path(), "--synthetic", "400", "--latency-ms", QString::number(kLatency),
                      "--log", log});
    ASSERT_TRUE(site.isReady()) << site.errorText().toStdString();
    const int port = QUrl(site.baseUrl()).port();
    SiteFixture same(400, {}, site.baseUrl()); // names and dates do not depend on the process
    // Besides pages and a picture: broken escapes and bad UTF-8, pages that are no page numbers, a
    // date not written in full, and targets too long.
    const std::vector<std::pair<std::string, int>> requests = {
        {"/", 200},
        {same.target(same.responder.pages().fullUrl(0)), 200},
        {"/page/2", 200},
        {"/?s=arrow", 200},
        {"/?s=%zz", 400},
        {"/?s=%4", 400},
        {"/?s=%c3%28", 400},
        {"/page/%G1", 400},
        {"/page/0", 404},
        {"/page/-3", 404},
        {"/page/two", 404},
        {"/page/02", 404},
        {"/page/15", 404},
        {"/2016/5/12/a/", 404},
        {"/page/2/" + std::string(3000, '%'), 400},
        {"/?s=" + std::string(6000, 'a'), 400}};
    std::vector<std::future<RawResponse>> answers;
    for (const auto& request : requests)
        answers.push_back(std::async(std::launch::async, [&] { return fetch(port, request.first); }));
    std::vector<RawResponse> r;
    for (size_t i = 0; i < requests.size(); ++i) {
        r.push_back(answers[i].get());
        EXPECT_EQ(r[i].status, requests[i].second) << requests[i].first.substr(0, 40);
        EXPECT_EQ(r[i].body.size(), r[i].contentLength);
        EXPECT_GE(r[i].elapsedMs, kLatency);
    }
    EXPECT_EQ(r[0].contentType, "text/html; charset=UTF-8");
    EXPECT_EQ(r[0].body, same.get("/").body);
    EXPECT_EQ(r[1].contentType, "image/png");
    EXPECT_EQ(r[1].body, same.images.fullSize(0));
    // A request line too long for the HTTP layer is a bad request too, and the site goes on serving.
    EXPECT_EQ(fetch(port, "/?s=" + std::string(20000, 'a')).status, 400);
    EXPECT_EQ(fetch(port, "/page/2").status, 200);
    EXPECT_TRUE(site.stop());

    QFile file(log);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2 + int(requests.size()));
    // Lines are written as answers end, so their order is not the order of the requests.
    const QString front = "^GET / 200 " + QString::number(r[0].body.size()) + " (\\d+)$";
    EXPECT_GE(lines.filter(QRegularExpression(front)).value(0).section(' ', 4).toInt(), kLatency);
    EXPECT_EQ(lines.filter(QRegularExpression("^GET /\\?s=arrow 200 \\d+ \\d+$")).size(), 1);
    // Targets are escaped so that every line keeps its five fields.
    EXPECT_EQ(RequestLog::line("GET", "/a b\x01", 404, 0, 12), "GET /a%20b%01 404 0 12\n");
}

TEST(SiteProgram, StallAndResetCutAnswersOthersGoOnAndInterruptStopsCleanlyWithAStalledPageOpen)
{
    QTemporaryDir dir;
    const QString log = dir.filePath("site.log");
    SiteProcess site({"--synthetic", "30", "--faults", "stall,reset", "--latency-ms", "50", "--log", log});
    ASSERT_TRUE(site.isReady()) << site.errorText().toStdString();
    const int port = QUrl(site.baseUrl()).port();
    const RawResponse r = fetch(port, "/", 1500);
    EXPECT_TRUE(r.status == 200 && r.timedOut && r.body.size() < r.contentLength);
    // Once the client has gone the answer ends, logged with the bytes that were sent.
    const auto logged = [&] {
        QFile file(log);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    WAIT_UNTIL(logged().contains('\n'), 10000);
    EXPECT_TRUE(logged().startsWith("GET / 200 " + QByteArray::number(r.body.size()) + ' '))
        << logged().data();

    // While a page stalls, pictures are answered, each after the latency: every 7th thumbnail is cut
    // in the middle of its body.
    std::atomic<bool> headers{false};
    auto stalled = std::async(std::launch::async, [&] { return fetch(port, "/", 20000, &headers); });
    WAIT_UNTIL(headers, 10000);
    const SiteFixture same(30);
    for (int i = 0; i < 14; ++i) {
        const RawResponse t = fetch(port, same.target(same.responder.pages().thumbUrl(i)));
        EXPECT_TRUE(t.status == 200 && !t.timedOut && t.elapsedMs >= 50 && t.body.size() > 0) << i;
        if (i % 7 == 6)
            EXPECT_LT(t.body.size(), t.contentLength) << i;
        else
            EXPECT_FALSE(QImage::fromData(t.body, "png").isNull()) << i;
    }
    ::kill(pid_t(site.process().processId()), SIGINT);
    ASSERT_TRUE(site.process().waitForFinished(10000));
    EXPECT_TRUE(site.process().exitStatus() == QProcess::NormalExit && site.process().exitCode() == 0);
    const RawResponse cut = stalled.get();
    EXPECT_TRUE(!cut.timedOut && cut.body.size() < cut.contentLength);
}

TEST(SiteProgram, BadCommandLinesExitWithStatusTwo)
{
    for (const QStringList& args :
         {QStringList{"--synthetic", "30", "--faults", "thumb-404,melt"}, QStringList{"--latency-ms", "10"},
          QStringList{"--synthetic", "x"}, QStringList{"--synthetic", "30", "--port", "70000"}}) {
        QProcess p;
        p.start(QStringLiteral(CATALOGUE_SITE_BIN), QStringList{"--port", "0"} + args);
        ASSERT_TRUE(p.waitForFinished(20000)) << args.join(' ').toStdString();
        EXPECT_TRUE(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 2)
            << args.join(' ').toStdString();
        EXPECT_TRUE(p.readAllStandardOutput().isEmpty() && !p.readAllStandardError().isEmpty());
    }
}

TEST(SiteServer, ListensBeforeTheIconsAreIndexedAndAnswersOnlyOnceTheyAre)
{
    // Indexing is held until released (bounded, so that a server that waits for it still ends).
    std::promise<void> release;
    SiteServer server(
        [held = release.get_future().share()] {
            held.wait_for(std::chrono::seconds(30));
            return SyntheticIcons::entries(30);
        },
        {}, 0, nullptr);
    QString error;
    ASSERT_TRUE(server.start(0, &error)) << error.toStdString();
    // Nothing is answered before the index is there, not even an error.
    const RawResponse early = fetch(server.port(), "/", 300);
    EXPECT_TRUE(early.timedOut && early.status == 0);
    release.set_value();
    EXPECT_EQ(server.waitForContent(), 30);
    EXPECT_EQ(fetch(server.port(), "/").status, 200);
}
