// Side by side, median of 5 whole processes each: GIF export of a 1024 x 1024 many-coloured
// image and ICO export of a 512 x 512 icon, pictomine against ImageMagick's convert; then the
// octree quantiser alone in megapixels per second.
//   bench_export [--pictomine PATH]    (default: the built pictomine if its --export works,
//                                       else the export driver built beside this benchmark)
#include "export/DIBsave.h"
#include "export/modDither.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace
{

constexpr int kRuns = 5;

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

QImage icon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(0);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient gradient(size / 2.0, size / 2.0, size / 2.0);
    gradient.setColorAt(0, QColor(255, 220, 80));
    gradient.setColorAt(1, QColor(200, 40, 20));
    p.setBrush(gradient);
    p.setPen(QPen(QColor(40, 20, 10), size / 64.0));
    p.drawEllipse(QRectF(size * 0.05, size * 0.05, size * 0.9, size * 0.9));
    return image;
}

// Milliseconds of one run of program with args; negative when it failed.
double timeProcess(const QString& program, const QStringList& args, const QString& output)
{
    QFile::remove(output);
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    process.start(program, args);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return -1;
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    return QFileInfo(output).size() > 0 ? ms : -1;
}

double medianProcess(const QString& program, const QStringList& args, const QString& output)
{
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        const double ms = timeProcess(program, args, output);
        if (ms < 0)
            return -1;
        times.push_back(ms);
    }
    return median(times);
}

QString ourExporter(const QStringList& args, const QString& sample, const QString& dir)
{
    const int at = int(args.indexOf("--pictomine"));
    if (at >= 0 && at + 1 < args.size())
        return args[at + 1];
    // The application's --export when it works, else the driver with the same export command.
    const QString out = dir + "/probe.png";
    if (QFileInfo::exists(PICTOMINE_BIN) && timeProcess(PICTOMINE_BIN, {"--export", sample, out}, out) >= 0)
        return PICTOMINE_BIN;
    return EXPORT_DRIVER_BIN;
}

void row(const char* job, double ours, double theirs)
{
    if (ours < 0 || theirs < 0) {
        std::printf("%-28s  %10s  %10s  (a run failed)\n", job, ours < 0 ? "failed" : "",
                    theirs < 0 ? "failed" : "");
        return;
    }
    std::printf("%-28s  %8.1f ms  %8.1f ms  ratio %.2f (%s)\n", job, ours, theirs, theirs / ours,
                ours <= theirs ? "pictomine faster" : "pictomine slower");
}

void quantiserThroughput(const QImage& source)
{
    const QImage rgb = source.convertToFormat(QImage::Format_RGB888);
    std::vector<double> whole;
    std::vector<double> treeOnly;
    for (int i = 0; i < kRuns; ++i) {
        QImage image = rgb;
        QElapsedTimer timer;
        timer.start();
        DIBsave::PaletteImageGIF(image, false);
        whole.push_back(double(timer.nsecsElapsed()) / 1e9);

        const int w = rgb.width();
        const int stride = (3 * w + 3) / 4 * 4;
        std::vector<quint8> bytes(size_t(stride) * rgb.height());
        for (int y = 0; y < rgb.height(); ++y)
            std::copy_n(rgb.constScanLine(y), 3 * w, bytes.data() + size_t(y) * stride);
        timer.restart();
        modDither::BuildOctreePalette(stride, rgb.height(), stride - 3 * w, bytes.data(), 256, 8);
        treeOnly.push_back(double(timer.nsecsElapsed()) / 1e9);
    }
    const double mpx = double(source.width()) * source.height() / 1e6;
    std::printf("quantiser, palette and indices  %.1f Mpx/s (%.1f ms for %.2f Mpx)\n", mpx / median(whole),
                median(whole) * 1e3, mpx);
    std::printf("quantiser, tree and palette     %.1f Mpx/s\n", mpx / median(treeOnly));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString colours = dir.filePath("colours1024.png");
    const QString iconPng = dir.filePath("icon512.png");
    if (!manyColours(1024).save(colours) || !icon(512).save(iconPng)) {
        std::fprintf(stderr, "cannot write the sample images\n");
        return 1;
    }
    QString convert = QFileInfo::exists("/usr/bin/convert") ? QStringLiteral("/usr/bin/convert")
                                                            : QStandardPaths::findExecutable("convert");
    const QString ours = ourExporter(app.arguments(), iconPng, dir.path());
    std::printf("exporter: %s\nImageMagick: %s\nmedian of %d whole processes each\n\n", qPrintable(ours),
                convert.isEmpty() ? "not found" : qPrintable(convert), kRuns);
    const bool viaApp = ours != EXPORT_DRIVER_BIN;
    auto ourArgs = [&](const QString& in, const QString& out) {
        return viaApp ? QStringList{"--export", in, out} : QStringList{in, out};
    };

    std::printf("%-28s  %11s  %11s\n", "job", "pictomine", "ImageMagick");
    const QString gifOurs = dir.filePath("ours.gif");
    const QString gifTheirs = dir.filePath("theirs.gif");
    row("GIF 1024 x 1024", medianProcess(ours, ourArgs(colours, gifOurs), gifOurs),
        convert.isEmpty()
            ? -1
            : medianProcess(convert, {colours, "-dither", "None", "-colors", "256", gifTheirs}, gifTheirs));
    const QString icoOurs = dir.filePath("ours.ico");
    const QString icoTheirs = dir.filePath("theirs.ico");
    row("ICO 512 -> 7 sizes", medianProcess(ours, ourArgs(iconPng, icoOurs), icoOurs),
        convert.isEmpty()
            ? -1
            : medianProcess(convert,
                            {iconPng, "-define", "icon:auto-resize=256,128,64,48,32,24,16", icoTheirs},
                            icoTheirs));
    std::printf("\n");
    quantiserThroughput(manyColours(1024));
    return 0;
}
