// The site over real HTTP: headers, concurrency with latency, bad requests, the request log, and
// the program itself (first line, exit codes, clean stop).
#include "RawHttp.h"
#include "SiteFixture.h"
#include "support/SiteProcess.h"

#include <QRegularExpression>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>

#include <csignal>
#include <future>
#include <thread>

#include <gtest/gtest.h>

TEST(HttpContract, AnswersCarryTypeAndLengthAndBadRequestsDoNotHurt)
{
    SiteFixture site(60);
    ASSERT_TRUE(site.serve());
    EXPECT_TRUE(site.base().startsWith("http://127.0.0.1:"));
    const RawResponse page = RawHttp::get(site.port(), "/");
    EXPECT_EQ(page.status, 200);
    EXPECT_EQ(page.contentType, "text/html; charset=UTF-8");
    EXPECT_EQ(page.body.size(), page.contentLength);
    EXPECT_EQ(readAsClient(page.body, site.base(), site.base()).postLinks.size(), 30);

    const std::string thumb = site.responder().pages().thumbUrl(2).mid(site.base().size() - 1).toStdString();
    const RawResponse png = RawHttp::get(site.port(), thumb);
    EXPECT_EQ(png.status, 200);
    EXPECT_EQ(png.contentType, "image/png");
    EXPECT_EQ(png.body.size(), png.contentLength);

    const RawResponse head = RawHttp::get(site.port(), thumb, 20000, "HEAD");
    EXPECT_EQ(head.status, 200);
    EXPECT_EQ(head.contentLength, png.contentLength);

    const auto status = [&](const std::string& target, const std::string& method = "GET") {
        return RawHttp::get(site.port(), target, 20000, method).status;
    };
    EXPECT_EQ(status("/?s=%zz"), 400);
    EXPECT_EQ(status("/?s=%c3%28"), 400);
    EXPECT_EQ(status("/page/0"), 404);
    EXPECT_EQ(status("/page/-3"), 404);
    EXPECT_EQ(status("/page/two"), 404);
    EXPECT_EQ(status("/page/3"), 404);
    EXPECT_EQ(status("/", "POST"), 404);
    EXPECT_EQ(status("/?s=" + std::string(20000, 'a')), 400);  // refused by the HTTP layer
    EXPECT_EQ(status("/?s=" + std::string(6000, 'a')), 400);   // refused by the site's own bound
    EXPECT_EQ(status("/page/2/" + std::string(3000, '%')), 400);
    EXPECT_EQ(status("/page/2"), 200);  // still serving
}

TEST(HttpContract, LatencyDelaysEveryAnswerAndConcurrentRequestsTogether)
{
    constexpr int kLatency = 300;
    constexpr int kParallel = 8;
    SiteFixture site(60);
    ASSERT_TRUE(site.serve(kLatency));
    QElapsedTimer clock;
    clock.start();
    std::vector<std::future<RawResponse>> answers;
    for (int i = 0; i < kParallel; ++i) {
        const std::string target = i % 2 ? "/page/2" : "/wp-content/uploads/none-150x150.png";
        answers.push_back(std::async(std::launch::async, [&, target] { return RawHttp::get(site.port(), target); }));
    }
    for (auto& f : answers) {
        const RawResponse r = f.get();
        EXPECT_TRUE(r.status == 200 || r.status == 404);
        EXPECT_GE(r.elapsedMs, kLatency);
    }
    // One after another they would take kParallel latencies; together well under half of that.
    EXPECT_LT(clock.elapsed(), kParallel * kLatency / 2);
}

TEST(HttpContract, RequestLogHasOneLinePerRequest)
{
    QTemporaryDir dir;
    RequestLog log;
    ASSERT_TRUE(log.open(dir.filePath("site.log"), nullptr));
    SiteFixture site(60, {"reset"});
    ASSERT_TRUE(site.serve(0, &log));
    RawHttp::get(site.port(), "/?s=arrow");
    RawHttp::get(site.port(), "/page/9");
    const std::string cut = site.responder().pages().thumbUrl(6).mid(site.base().size() - 1).toStdString();
    RawHttp::get(site.port(), cut);
    QFile file(dir.filePath("site.log"));
    QStringList lines;
    QElapsedTimer clock;
    clock.start();
    while (lines.size() < 3 && clock.elapsed() < 10000) {  // the cut answer is logged as it ends
        file.open(QIODevice::ReadOnly);
        lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
        file.close();
    }
    ASSERT_EQ(lines.size(), 3);
    const QRegularExpression shape("^GET (\\S+) (\\d{3}) (\\d+) (\\d+)$");
    const auto fields = [&](int i) { return shape.match(lines[i]); };
    ASSERT_TRUE(fields(0).hasMatch()) << lines[0].toStdString();
    EXPECT_EQ(fields(0).captured(1), "/?s=arrow");
    EXPECT_EQ(fields(0).captured(2), "200");
    EXPECT_GT(fields(0).captured(3).toInt(), 1000);
    EXPECT_EQ(fields(1).captured(1), "/page/9");
    EXPECT_EQ(fields(1).captured(2), "404");
    ASSERT_TRUE(fields(2).hasMatch()) << lines[2].toStdString();
    EXPECT_EQ(fields(2).captured(1), QString::fromStdString(cut));
    EXPECT_EQ(fields(2).captured(3).toInt(), site.images().thumbnail(6).size() / 2);
}

TEST(SiteProgram, PrintsItsAddressServesAndStopsCleanly)
{
    SiteProcess site({"--synthetic", "400"});
    ASSERT_TRUE(site.isReady()) << site.errorText().toStdString();
    const int port = RawHttp::portOf(site.baseUrl());
    const RawResponse front = RawHttp::get(port, "/");
    EXPECT_EQ(front.status, 200);
    const ClientView v = readAsClient(front.body, site.baseUrl(), site.baseUrl());
    EXPECT_EQ(v.postLinks.size(), 30);
    EXPECT_EQ(v.images.size(), 30);
    EXPECT_EQ(RawHttp::get(port, "/page/2").status, 200);
    EXPECT_EQ(RawHttp::get(port, "/?s=arrow").status, 200);
    const QString thumb = v.imageNames.value(0);
    const RawResponse full = RawHttp::get(
        port, ("/wp-content/uploads/" + folderFromThumb(thumb) + fullNameFromThumb(thumb)).toStdString());
    EXPECT_EQ(full.status, 200);
    EXPECT_EQ(QImage::fromData(full.body).size(), QSize(512, 512));
    EXPECT_TRUE(site.stop());
}

TEST(SiteProgram, WithLatencyEveryRequestTakesAtLeastThatLong)
{
    SiteProcess site({"--synthetic", "30", "--latency-ms", "200"});
    ASSERT_TRUE(site.isReady()) << site.errorText().toStdString();
    const RawResponse r = RawHttp::get(RawHttp::portOf(site.baseUrl()), "/");
    EXPECT_EQ(r.status, 200);
    EXPECT_GE(r.elapsedMs, 200);
    EXPECT_TRUE(site.stop());
}

TEST(SiteProgram, BadCommandLinesExitWithStatusTwo)
{
    for (const QStringList& args : {QStringList{"--synthetic", "30", "--faults", "thumb-404,melt"},
                                    QStringList{"--latency-ms", "10"}, QStringList{"--synthetic", "x"}}) {
        QProcess p;
        p.start(QStringLiteral(CATALOGUE_SITE_BIN), args + QStringList{"--port", "0"});
        ASSERT_TRUE(p.waitForFinished(20000)) << args.join(' ').toStdString();
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p.exitCode(), 2) << args.join(' ').toStdString();
        EXPECT_TRUE(p.readAllStandardOutput().isEmpty());
        EXPECT_FALSE(p.readAllStandardError().isEmpty());
    }
}

TEST(SiteProgram, InterruptStopsItCleanlyEvenWithAStalledPageOpen)
{
    SiteProcess site({"--synthetic", "30", "--faults", "stall"});
    ASSERT_TRUE(site.isReady()) << site.errorText().toStdString();
    const int port = RawHttp::portOf(site.baseUrl());
    std::atomic<bool> headers{false};
    auto stalled = std::async(std::launch::async, [port, &headers] { return RawHttp::get(port, "/", 20000, "GET", &headers); });
    QElapsedTimer clock;
    clock.start();
    while (!headers && clock.elapsed() < 10000)
        std::this_thread::yield();
    ASSERT_TRUE(headers);
    ::kill(pid_t(site.process().processId()), SIGINT);
    ASSERT_TRUE(site.process().waitForFinished(10000));
    EXPECT_EQ(site.process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(site.process().exitCode(), 0);
    const RawResponse r = stalled.get();
    EXPECT_EQ(r.status, 200);
    EXPECT_TRUE(r.closedByServer);
    EXPECT_LT(r.body.size(), r.contentLength);
}
