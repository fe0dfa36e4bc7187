// The program over real HTTP: its first line, headers, bad requests, latency, the request log,
// the faults that live in the connection, exit codes and a clean stop.
#include "SiteFixture.h"
#include "catalogue-site/RequestLog.h"
#include "support/SiteProcess.h"

#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>

#include <csignal>
#include <future>
#include <thread>

#include <gtest/gtest.h>

namespace {
int portOf(const SiteProcess& site)
{
    return QUrl(site.baseUrl()).port();
}
} // namespace

TEST(SiteProgram, PrintsItsAddressServesLogsAndStopsCleanly)
{
    QTemporaryDir dir;
    SiteProcess site({"--synthetic", "400", "--log", dir.filePath("site.log")});
    ASSERT_TRUE(site.isReady()) << site.errorText().toStdString();
    const QString base = site.baseUrl();
    const RawResponse front = fetch(portOf(site), "/");
    EXPECT_EQ(front.contentType, "text/html; charset=UTF-8");
    EXPECT_EQ(front.body.size(), front.contentLength);
    const ClientView v = readAsClient(front.body, base);
    ASSERT_EQ(v.postLinks.size(), 30);
    EXPECT_EQ(v.images.size(), 30);
    const SiteFixture same(400);  // names and dates do not depend on the process
    for (int k = 0; k < 30; ++k)
        EXPECT_EQ(v.postLinks[k], base + same.catalogue().at(k).postPath());
    EXPECT_EQ(fetch(portOf(site), "/page/2").status, 200);
    EXPECT_EQ(fetch(portOf(site), "/?s=arrow").status, 200);
    const RawResponse full = fetch(portOf(site), same.target(same.pages().fullUrl(0)));
    EXPECT_EQ(full.contentType, "image/png");
    EXPECT_EQ(full.body.size(), full.contentLength);
    EXPECT_EQ(QImage::fromData(full.body).size(), QSize(512, 512));

    const std::vector<std::pair<std::string, int>> bad = {
        {"/?s=%zz", 400}, {"/?s=%4", 400}, {"/?s=%c3%28", 400}, {"/page/%G1", 400}, {"/page/0", 404},
        {"/page/-3", 404}, {"/page/two", 404}, {"/page/02", 404}, {"/page/15", 404}, {"/2016/5/12/a/", 404},
        {"/?s=" + std::string(20000, 'a'), 400},  // a request line too long for the HTTP layer
        {"/?s=" + std::string(6000, 'a'), 400},   // past the site's own bound
        {"/page/2/" + std::string(3000, '%'), 400},
    };
    for (const auto& [target, status] : bad)
        EXPECT_EQ(fetch(portOf(site), target).status, status) << target.substr(0, 40);
    EXPECT_EQ(fetch(portOf(site), "/page/2").status, 200);  // still serving
    EXPECT_TRUE(site.stop());

    QFile file(dir.filePath("site.log"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5 + int(bad.size()));
    EXPECT_TRUE(QRegularExpression("^GET / 200 " + QString::number(front.body.size()) + " \\d+$").match(lines[0]).hasMatch())
        << lines[0].toStdString();
    EXPECT_TRUE(lines[2].startsWith("GET /?s=arrow 200 ")) << lines[2].toStdString();
    // Targets are escaped so that every line keeps its five fields.
    EXPECT_EQ(RequestLog::line("GET", "/a b\x01", 404, 0, 12), "GET /a%20b%01 404 0 12\n");
}

TEST(SiteProgram, LatencyDelaysEveryAnswerAndConcurrentRequestsTogether)
{
    constexpr int kLatency = 300;
    constexpr int kParallel = 8;
    SiteProcess site({"--synthetic", "60", "--latency-ms", QString::number(kLatency)});
    ASSERT_TRUE(site.isReady()) << site.errorText().toStdString();
    QElapsedTimer clock;
    clock.start();
    std::vector<std::future<RawResponse>> answers;
    for (int i = 0; i < kParallel; ++i) {
        const std::string target = i % 2 ? "/page/2" : "/wp-content/uploads/none-150x150.png";
        answers.push_back(std::async(std::launch::async, [&, target] { return fetch(portOf(site), target); }));
    }
    for (auto& f : answers) {
        const RawResponse r = f.get();
        EXPECT_TRUE(r.status == 200 || r.status == 404);
        EXPECT_GE(r.elapsedMs, kLatency);
    }
    // One after another they would take kParallel latencies; together well under half of that.
    EXPECT_LT(clock.elapsed(), kParallel * kLatency / 2);
}

TEST(SiteProgram, ResetClosesEverySeventhThumbnailInTheMiddleOfItsBody)
{
    SiteProcess site({"--synthetic", "30", "--faults", "reset"});
    ASSERT_TRUE(site.isReady()) << site.errorText().toStdString();
    const SiteFixture same(30);
    for (int i = 0; i < 14; ++i) {
        const RawResponse r = fetch(portOf(site), same.target(same.pages().thumbUrl(i)));
        EXPECT_EQ(r.status, 200) << i;
        EXPECT_FALSE(r.timedOut);
        EXPECT_GT(r.body.size(), 0);
        if (i % 7 == 6)
            EXPECT_LT(r.body.size(), r.contentLength) << i;
        else
            EXPECT_FALSE(QImage::fromData(r.body, "png").isNull()) << i;
    }
}

TEST(SiteProgram, StalledPagesEndWhenTheClientLeavesAndInterruptStopsCleanlyWithOneOpen)
{
    QTemporaryDir dir;
    SiteProcess site({"--synthetic", "30", "--faults", "stall", "--log", dir.filePath("site.log")});
    ASSERT_TRUE(site.isReady()) << site.errorText().toStdString();
    const RawResponse r = fetch(portOf(site), "/", 1500);
    EXPECT_EQ(r.status, 200);
    EXPECT_TRUE(r.timedOut);
    EXPECT_LT(r.body.size(), r.contentLength);
    EXPECT_TRUE(r.body.contains("<header"));
    EXPECT_FALSE(r.body.contains("<article"));
    // Once the client has gone the answer ends, logged with the bytes that were sent.
    QFile file(dir.filePath("site.log"));
    QByteArray logged;
    QElapsedTimer clock;
    clock.start();
    while (!logged.contains('\n') && clock.elapsed() < 10000 && file.open(QIODevice::ReadOnly)) {
        logged = file.readAll();
        file.close();
    }
    EXPECT_TRUE(logged.startsWith("GET / 200 " + QByteArray::number(r.body.size()) + ' ')) << logged.toStdString();
    const RawResponse thumb = fetch(portOf(site), SiteFixture(30).target(SiteFixture(30).pages().thumbUrl(0)));
    EXPECT_EQ(thumb.body.size(), thumb.contentLength);  // pictures are not stalled

    std::atomic<bool> headers{false};
    auto stalled = std::async(std::launch::async, [&] { return fetch(portOf(site), "/", 20000, &headers); });
    clock.restart();
    while (!headers && clock.elapsed() < 10000)
        std::this_thread::yield();
    ASSERT_TRUE(headers);
    ::kill(pid_t(site.process().processId()), SIGINT);
    ASSERT_TRUE(site.process().waitForFinished(10000));
    EXPECT_EQ(site.process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(site.process().exitCode(), 0);
    const RawResponse cut = stalled.get();
    EXPECT_FALSE(cut.timedOut);
    EXPECT_LT(cut.body.size(), cut.contentLength);
}

TEST(SiteProgram, BadCommandLinesExitWithStatusTwo)
{
    for (const QStringList& args : {QStringList{"--synthetic", "30", "--faults", "thumb-404,melt"},
                                    QStringList{"--latency-ms", "10"}, QStringList{"--synthetic", "x"},
                                    QStringList{"--synthetic", "30", "--port", "70000"}}) {
        QProcess p;
        p.start(QStringLiteral(CATALOGUE_SITE_BIN), QStringList{"--port", "0"} + args);
        ASSERT_TRUE(p.waitForFinished(20000)) << args.join(' ').toStdString();
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p.exitCode(), 2) << args.join(' ').toStdString();
        EXPECT_TRUE(p.readAllStandardOutput().isEmpty());
        EXPECT_FALSE(p.readAllStandardError().isEmpty());
    }
}
