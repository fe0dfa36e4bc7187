// `pictomine --export` as a whole process, its files decoded by ImageMagick.
#include "ExportTestUtil.h"
#include "imaging/DibFixtures.h"

#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace ExportTestUtil;

namespace
{

const QRgb kRed = qRgb(220, 30, 30);
const QRgb kBlue = qRgba(20, 40, 250, 255);
// Along the top row from x = 8: pixels either side of the GIF key's alpha threshold of 130, a dark
// one and a nearly dark one.
const QRgb kTopRow[5] = {qRgba(0, 0, 255, 100), qRgba(200, 100, 50, 129), qRgba(200, 100, 50, 130),
                         qRgb(3, 4, 9), qRgb(10, 0, 0)};

// 64 x 48, transparent, a red middle, an opaque blue top-left corner and the top row above.
QImage sample()
{
    QImage image(64, 48, QImage::Format_ARGB32);
    image.fill(0);
    QPainter painter(&image);
    painter.fillRect(16, 12, 32, 24, kRed);
    painter.fillRect(0, 0, 4, 4, kBlue);
    for (int x = 0; x < 5; ++x)
        image.setPixel(8 + x, 0, kTopRow[x]);
    return image;
}

struct ProcessRun {
    int status = -1;
    QString errors;
};

// No display and no platform plug-in named: the export must need neither.
ProcessRun exportWith(const QStringList& arguments, const QString& home)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(name);
    env.insert("PICTOMINE_HOME", home);
    process.setProcessEnvironment(env);
    process.start(PICTOMINE_BIN, QStringList{"--export"} + arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
}

bool near(QRgb a, QRgb b, int tolerance)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance && std::abs(qAlpha(a) - qAlpha(b)) <= tolerance;
}

} // namespace

TEST(ExportProgram, WritesEveryFormatWithoutAWindowSystem)
{
    QTemporaryDir dir;
    const QString home = dir.filePath("home");
    const QString src = dir.filePath("src.png");
    ASSERT_TRUE(sample().save(src));
    const QRgb white = qRgb(255, 255, 255);
    // Format, then the middle, the blue corner and a transparent corner as they must decode;
    // JPEG within a tolerance. GIF keys the transparent area; BMP and JPEG put it on white.
    const std::tuple<const char*, const char*, QRgb, QRgb, QRgb, int> cases[] = {
        {"a.png", "PNG", kRed, kBlue, 0, 0},      {"a.gif", "GIF", kRed, kBlue, 0, 0},
        {"a.bmp", "BMP3", kRed, kBlue, white, 0}, {"a.tif", "TIFF", kRed, kBlue, 0, 0},
        {"a.jpg", "JPEG", kRed, kBlue, white, 8},
    };
    for (const auto& [name, format, middle, corner, clear, tolerance] : cases) {
        const QString out = dir.filePath(name);
        const ProcessRun run = exportWith({src, out}, home);
        EXPECT_EQ(run.status, 0) << name << " " << run.errors.toStdString();
        EXPECT_TRUE(run.errors.isEmpty()) << run.errors.toStdString();
        EXPECT_EQ(identify("%m %wx%h", out).toStdString(), std::string(format) + " 64x48");
        const QImage back = decodedByImageMagick(out);
        EXPECT_TRUE(near(back.pixel(32, 24), middle, tolerance)) << name;
        EXPECT_TRUE(near(back.pixel(1, 1), corner, tolerance)) << name;
        EXPECT_TRUE(near(back.pixel(60, 44), clear, tolerance)) << name;
    }
    // PNG and TIFF keep every alpha; GIF keys alpha below 130 only and lifts visible pixels darker
    // than 10 in every channel to (5, 5, 5), so that none of them takes the key.
    const QRgb gifRow[5] = {0, 0, qRgb(200, 100, 50), qRgb(5, 5, 5), qRgb(10, 0, 0)};
    const QImage png = decodedByImageMagick(dir.filePath("a.png")),
                 tif = decodedByImageMagick(dir.filePath("a.tif")),
                 gif = decodedByImageMagick(dir.filePath("a.gif"));
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(png.pixel(8 + x, 0), kTopRow[x]) << x;
        EXPECT_EQ(tif.pixel(8 + x, 0), kTopRow[x]) << x;
        EXPECT_EQ(gif.pixel(8 + x, 0), gifRow[x]) << x;
    }
    // The JPEG quality reaches the writer; TIFF is uncompressed, 8 bits a channel, with alpha.
    EXPECT_EQ(identify("%Q", dir.filePath("a.jpg")), "90");
    EXPECT_EQ(identify("%[channels] %C %z", dir.filePath("a.tif")), "srgba None 8");

    // The icon: the sizes up to the smaller side, in the file and in the Sizes folder.
    ASSERT_EQ(exportWith({src, dir.filePath("a.ico")}, home).status, 0);
    EXPECT_EQ(identify("%m %w,", dir.filePath("a.ico")), "ICO 48,ICO 32,ICO 24,ICO 16,");
    EXPECT_EQ(QImage(home + "/Sizes/temp48.png").size(), QSize(48, 48));
}

TEST(ExportProgram, FailuresEndWithOneLineAndStatus1)
{
    QTemporaryDir dir;
    const QString src = dir.filePath("src.png");
    ASSERT_TRUE(sample().save(src));
    // 40,000 x 40,000 by its header; 90 bytes of run-length BMP claiming 5,640 x 5,640 pixels.
    const std::pair<const char*, QByteArray> files[] = {
        {"huge.gif", gifHeader(40000, 40000)},
        {"runs.bmp", DibFixtures::rle8(5640, 5640, QByteArray(26, '\x01') + QByteArray("\x00\x01", 2))},
    };
    for (const auto& [name, bytes] : files) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    ASSERT_TRUE(QImage(32768, 2, QImage::Format_RGB32).save(dir.filePath("wide.png"))); // beyond WMF's sides
    const std::tuple<QString, QString, const char*> cases[] = {
        {dir.filePath("missing.png"), dir.filePath("b.png"), "missing.png"},
        {src, dir.filePath("no/such/folder/c.png"), "c.png"},
        {dir.filePath("huge.gif"), dir.filePath("d.gif"), "40,000 x 40,000 pixels, too large to export"},
        {dir.filePath("wide.png"), dir.filePath("g.wmf"), "at most 32,767 x 32,767 pixels"},
        {dir.filePath("runs.bmp"), dir.filePath("f.png"), "run-length data too short"},
    };
    for (const auto& [from, to, says] : cases) {
        const ProcessRun run = exportWith({from, to}, dir.filePath("home"));
        EXPECT_EQ(run.status, 1) << to.toStdString();
        EXPECT_EQ(run.errors.count('\n'), 1) << run.errors.toStdString();
        EXPECT_TRUE(run.errors.startsWith("pictomine: ") && run.errors.contains(says))
            << run.errors.toStdString();
        EXPECT_FALSE(QFile::exists(to));
    }
}

TEST(ExportProgram, MetafilesHoldThePictureOnWhite)
{
    QTemporaryDir dir;
    const QString src = dir.filePath("src.png");
    ASSERT_TRUE(sample().save(src));
    for (const char* name : {"a.emf", "a.wmf"}) {
        const ProcessRun run = exportWith({src, dir.filePath(name)}, dir.filePath("home"));
        EXPECT_EQ(run.status, 0) << name << " " << run.errors.toStdString();
    }
    EXPECT_TRUE(fileType(dir.filePath("a.emf"))
                    .startsWith("Windows Enhanced Metafile (EMF) image data version 0x10000"))
        << fileType(dir.filePath("a.emf")).toStdString();
    EXPECT_TRUE(fileType(dir.filePath("a.wmf")).startsWith("Windows metafile"))
        << fileType(dir.filePath("a.wmf")).toStdString();
    // Read by independent readers: libwmf (wmf2svg), ImageMagick (drawing the WMF) and libemf2svg
    // (which hands the EMF's bitmap on as a PNG). The picture keeps its size and colours, with
    // white where it was transparent and translucent pixels blended over white.
    const QRgb white = qRgb(255, 255, 255);
    const QRgb blended = qRgb(155, 155, 255); // kTopRow[0], blue at alpha 100, over white
    const std::pair<const char*, QImage> players[] = {
        {"wmf2svg", bitmapOfWmf(dir.filePath("a.wmf"))},
        {"ImageMagick", decodedByImageMagick(dir.filePath("a.wmf"))},
        {"emf2svg", bitmapOfEmf(dir.filePath("a.emf"))},
    };
    for (const auto& [player, image] : players) {
        ASSERT_EQ(image.size(), QSize(64, 48)) << player;
        EXPECT_TRUE(near(image.pixel(32, 24), kRed, 0)) << player;
        EXPECT_TRUE(near(image.pixel(1, 1), kBlue, 0)) << player;
        EXPECT_TRUE(near(image.pixel(60, 44), white, 0)) << player;
        EXPECT_TRUE(near(image.pixel(8, 0), blended, 1)) << player;
        EXPECT_TRUE(near(image.pixel(63, 47), white, 0) && near(image.pixel(47, 35), kRed, 0)) << player;
    }
}
