// Export figures inside one process:
// - the octree quantiser alone, in megapixels per second;
// - the window thread's longest stall while a tile's download flow exports a 5,700 x 5,700
//   picture, measured as the lateness of a 10 ms timer on that thread, beside the time the
//   export itself takes (what the stall would be if the export ran on the window's thread), and
//   the process's peak memory.
// Whole-process timings against ImageMagick are in compare-imagemagick.sh beside this file.
#include "export/IconDownloadFlow.h"
#include "export/ImageSaver.h"
#include "export/OctreeQuantiser.h"
#include "platform/AppPaths.h"
#include "platform/Dialogs.h"
#include "platform/SaveRequest.h"
#include "platform/SiteAddress.h"
#include "platform/UserSettings.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

namespace
{

constexpr int kRuns = 5;
constexpr int kTickMs = 10;
constexpr int kSide = 5700;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Smooth gradients plus noise: far more than 256 colours, like a photo-like icon.
QImage manyColours(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    quint32 seed = 12345;
    for (int y = 0; y < size; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int noise = int(seed >> 28);
            row[x] = qRgb((x * 255 / size + noise) & 255, (y * 255 / size) ^ noise,
                          ((x + y) * 127 / size + noise) & 255);
        }
    }
    return image;
}

void quantiserThroughput()
{
    const QImage source = manyColours(1024);
    std::vector<double> seconds;
    for (int i = 0; i < kRuns; ++i) {
        QImage image = source;
        QElapsedTimer timer;
        timer.start();
        ImageSaver::toGifPalette(image, false);
        seconds.push_back(double(timer.nsecsElapsed()) / 1e9);
    }
    const double mpx = double(source.width()) * source.height() / 1e6;
    std::printf("quantiser (palette and indices)   %6.1f Mpx/s  (%.1f ms for %.2f Mpx)\n",
                mpx / median(seconds), median(seconds) * 1e3, mpx);
}

// Answers the save dialog with a fixed path and says nothing else.
class BenchDialogs : public Dialogs
{
public:
    QString answer;
    QString lastMessage;
    QString saveFileName(QWidget*, const QString&, const QString&) override { return answer; }
    QString saveFile(QWidget*, const SaveRequest&) override { return answer; }
    QString openFileName(QWidget*, const QString&, const QString&) override { return {}; }
    bool confirm(QWidget*, const QString&, const QString&) override { return true; }
    void inform(QWidget*, const QString& text, const QString&) override { lastMessage = text; }
    void critical(const QString& text) override { lastMessage = text; }
};

long peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

// Runs the download flow's export of Downloads/<name> to `target` and reports the longest
// lateness of a 10 ms timer on this thread meanwhile.
void stallDuringExport(BenchDialogs& dialogs, const AppPaths& paths, const UserSettings& settings,
                       const QString& name, const QString& target)
{
    BusyPointer pointer;
    const SiteAddress site; // the picture is in Downloads/ already: nothing is fetched
    IconDownloadFlow flow(dialogs, pointer, FileWriter::system(), paths, site, settings, nullptr);
    dialogs.answer = target;
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 worst = 0;
    qint64 exportNs = -1;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        if (flow.isExporting())
            worst = std::max(worst, now - last - qint64(kTickMs) * 1000000);
        last = now;
    });
    QEventLoop loop;
    QObject::connect(&flow, &IconDownloadFlow::saved, &loop, &QEventLoop::quit);
    QTimer::singleShot(0, [&] {
        clock.start();
        tick.start(kTickMs);
        flow.start(name);
    });
    QTimer started;
    QObject::connect(&started, &QTimer::timeout, [&] {
        if (exportNs < 0 && flow.isExporting())
            exportNs = clock.nsecsElapsed();
    });
    started.start(1);
    QTimer::singleShot(300000, &loop, &QEventLoop::quit);
    loop.exec();
    const double seconds = double(clock.nsecsElapsed() - std::max<qint64>(exportNs, 0)) / 1e9;
    std::printf("%-12s export %6.2f s on the export thread; longest stall of the window thread %5.1f ms%s\n",
                qPrintable(target.section('/', -1)), seconds, double(worst) / 1e6,
                dialogs.lastMessage.isEmpty() ? "" : qPrintable("  (" + dialogs.lastMessage + ")"));
}

void stallFigures()
{
    QTemporaryDir dir;
    const AppPaths paths(dir.filePath("app"));
    // The flow remembers the save folder: in a settings file of the run, not the user's.
    const UserSettings settings(dir.filePath("pictomine.conf"));
    paths.ensureLayout();
    {
        QImage big(kSide, kSide, QImage::Format_RGB32);
        for (int y = 0; y < kSide; ++y) {
            QRgb* row = reinterpret_cast<QRgb*>(big.scanLine(y));
            for (int x = 0; x < kSide; ++x)
                row[x] = qRgb(x * 255 / kSide, y * 255 / kSide, (x + y) * 127 / kSide);
        }
        if (!big.save(paths.downloads() + "/201511big.png", "PNG")) {
            std::fprintf(stderr, "cannot write the sample picture\n");
            return;
        }
    }
    std::printf("\n%d x %d picture from the downloads folder, exported by the download flow:\n", kSide,
                kSide);
    BenchDialogs dialogs;
    for (const char* name : {"big.gif", "big.png", "big.jpg", "big.ico"})
        stallDuringExport(dialogs, paths, settings, "201511big-150x150.png", dir.filePath(name));
    std::printf("peak memory of the process: %ld MB\n", peakMegabytes());
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    quantiserThroughput();
    stallFigures();
    return 0;
}
