// Places 780 tiles (26 pages of 30) into a shown grid inside a 1334 x 778 viewport, painting after
// every placement as the page load's event loop does, and prints the time per placement around
// 30 and 780 results, the time per scroll step and the resident memory.
#include "catalogue/ThumbnailDecoder.h"
#include "grid/IconGrid.h"
#include "grid/IconTile.h"
#include "platform/AppPaths.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <cstdio>

namespace
{
constexpr int kTiles = 780;
constexpr int kViewportWidth = 1334;
constexpr int kViewportHeight = 778;

long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

QStringList makeThumbnails(const QTemporaryDir& dir)
{
    QStringList paths;
    for (int k = 0; k < kTiles; ++k) {
        // Catalogue thumbnails: mostly 128 px, some larger ones that get scaled down.
        const int side = k % 5 == 0 ? 256 : 128;
        QImage img(side, side, QImage::Format_ARGB32);
        img.fill(QColor::fromHsv(k % 360, 180, 220));
        const QString path = dir.filePath(QStringLiteral("thumb%1.png").arg(k));
        img.save(path);
        paths << path;
    }
    return paths;
}
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QStringList thumbnails = makeThumbnails(dir);
    const long baseKiB = residentKiB();

    QWidget viewport;
    viewport.resize(kViewportWidth, kViewportHeight);
    const AppPaths folders(dir.path());
    IconGrid grid(folders, &viewport);
    grid.setGeometry(0, 0, kViewportWidth, kViewportHeight);
    viewport.show();
    QCoreApplication::processEvents();

    // Thumbnails arrive decoded and fitted (a worker does that); placing them is what is timed.
    std::vector<ThumbnailImage> decoded;
    for (const QString& path : thumbnails) {
        QFile file(path);
        decoded.push_back(
            ThumbnailDecoder::decode(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(),
                                     QSize(kViewportWidth / 6, 100), 1.0));
    }
    std::vector<IconRecord> records;
    QStringList resultList;
    std::vector<double> placeMs(kTiles);
    QElapsedTimer timer;
    for (int k = 0; k < kTiles; ++k) {
        resultList << thumbnails.at(k);
        timer.start();
        grid.placeNextTile(resultList, records, float(kViewportWidth), decoded.at(std::size_t(k)));
        QCoreApplication::processEvents(); // the repaint the placement caused
        placeMs[std::size_t(k)] = double(timer.nsecsElapsed()) / 1e6;
    }
    auto meanAround = [&](int n) {
        double sum = 0;
        for (int k = n - 10; k < n; ++k)
            sum += placeMs[std::size_t(k)];
        return sum / 10;
    };
    std::printf("PlaceNextTile incl. repaint, mean of placements n-9..n: n=30 %.3f ms, n=780 %.3f ms\n",
                meanAround(30), meanAround(780));

    // Scrolling moves the one surface inside the viewport by a row per step.
    const int maxScroll = grid.height() - kViewportHeight;
    int steps = 0;
    timer.start();
    for (int top = 0; top <= maxScroll; top += 200, ++steps) {
        grid.move(0, -top);
        QCoreApplication::processEvents();
    }
    std::printf("scroll step (one row) incl. repaint: %.3f ms over %d steps\n",
                double(timer.nsecsElapsed()) / 1e6 / steps, steps);

    std::printf("resident memory with %d tiles: %.1f MB (%.1f MB before the grid was built)\n",
                grid.tileCount(), double(residentKiB()) / 1024.0, double(baseKiB) / 1024.0);
    return 0;
}
