// Measures how long a front-page query takes from startQuery to the 30th placed thumbnail, with
// six thumbnail fetches at a time against one at a time, on the stand-in site with a fixed
// latency per answer. Prints the medians, their ratio and the floor (one page answer plus five
// waves of six thumbnails).
#include "catalogue/CatalogueClient.h"
#include "catalogue/ResultView.h"
#include "platform/AppPaths.h"
#include "platform/BusyPointer.h"
#include "platform/SiteAddress.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace
{
constexpr int kDefaultLatencyMs = 50;
constexpr int kRuns = 5;
constexpr int kTiles = 30;
constexpr int kBoundMs = 60000;

class CountingView : public ResultView
{
public:
    int placed = 0;
    qint64 thirtiethAt = -1;
    QElapsedTimer* clock = nullptr;
    void clearResults() override {}
    void placeNextTile(const ThumbnailImage&) override
    {
        if (++placed == kTiles)
            thirtiethAt = clock->elapsed();
    }
    void loadMoreChanged(bool) override {}
    void setProgressWidth(int) override {}
};

// One query; returns the milliseconds to the 30th tile, or -1 when it did not get there.
qint64 timeOneQuery(const SiteAddress& site, const QString& icons, int parallel)
{
    QElapsedTimer clock;
    CountingView view;
    view.clock = &clock;
    BusyPointer pointer;
    CatalogueClient client(view, pointer, site, icons);
    client.setParallelFetches(parallel);
    clock.start();
    client.startQuery("");
    while (view.thirtiethAt < 0 && clock.elapsed() < kBoundMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return view.thirtiethAt;
}

double median(std::vector<qint64> v)
{
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? double(v[v.size() / 2]) : double(v[v.size() / 2 - 1] + v[v.size() / 2]) / 2.0;
}

std::vector<qint64> runs(const SiteAddress& site, const QString& icons, int parallel)
{
    std::vector<qint64> times;
    for (int i = 0; i < kRuns; ++i) {
        const qint64 t = timeOneQuery(site, icons, parallel);
        if (t < 0) {
            std::fprintf(stderr, "query with %d at a time did not place %d tiles\n", parallel, kTiles);
            std::exit(1);
        }
        times.push_back(t);
    }
    return times;
}

void printRuns(const char* label, const std::vector<qint64>& times)
{
    std::printf("%-14s", label);
    for (qint64 t : times)
        std::printf(" %5lld", static_cast<long long>(t));
    std::printf("  | median %7.1f ms\n", median(times));
}
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // bench_catalogue [LATENCY_MS]: the site's delay per answer (0 times the client's own work).
    const int latencyMs = argc > 1 ? std::atoi(argv[1]) : kDefaultLatencyMs;

    QTemporaryDir root;
    const QString icons = AppPaths(root.path()).icons();
    QDir(root.path()).mkdir("Icons");

    QProcess site;
    site.start(QStringLiteral(CATALOGUE_SITE_BIN),
               {"--synthetic", "60", "--latency-ms", QString::number(latencyMs), "--port", "0"});
    if (!site.waitForStarted(kBoundMs)) {
        std::fprintf(stderr, "cannot start %s\n", CATALOGUE_SITE_BIN);
        return 1;
    }
    QElapsedTimer wait;
    wait.start();
    while (!site.canReadLine() && wait.elapsed() < kBoundMs && site.state() == QProcess::Running)
        site.waitForReadyRead(1000);
    const QString base = QString::fromUtf8(site.readLine()).trimmed();
    SiteAddress address;
    if (!address.setBase(base)) {
        std::fprintf(stderr, "the site printed no usable address: \"%s\"\n", qPrintable(base));
        return 1;
    }

    timeOneQuery(address, icons, 6); // warm-up: connections, first renders on the site
    const std::vector<qint64> six = runs(address, icons, 6);
    const std::vector<qint64> one = runs(address, icons, 1);
    const double floorMs = 6.0 * latencyMs;

    std::printf("Front page to the %dth tile, %d ms per answer, %d runs each (ms):\n", kTiles, latencyMs,
                kRuns);
    printRuns("6 at a time", six);
    printRuns("1 at a time", one);
    std::printf("speed-up       %.2fx%s\n", median(one) / median(six),
                latencyMs > 0 ? " (target >= 4x)" : "");
    if (latencyMs > 0)
        std::printf(
            "floor          %.0f ms (page + 5 waves of 6); 6 at a time is %.2fx the floor (target <= 1.5x)\n",
            floorMs, median(six) / floorMs);

    site.terminate();
    if (!site.waitForFinished(5000))
        site.kill();
    return 0;
}
