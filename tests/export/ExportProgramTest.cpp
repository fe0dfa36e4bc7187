// `pictomine --export` as a whole process, its files decoded by ImageMagick.
#include "ExportTestUtil.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace
{

const QRgb kRed = qRgb(220, 30, 30);
const QRgb kBlue = qRgba(20, 40, 250, 255);

// 64 x 48, transparent, a red middle and an opaque blue top-left corner.
QImage sample()
{
    QImage image(64, 48, QImage::Format_ARGB32);
    image.fill(0);
    for (int y = 12; y < 36; ++y)
        for (int x = 16; x < 48; ++x)
            image.setPixel(x, y, kRed);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            image.setPixel(x, y, kBlue);
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

// One pixel as ImageMagick decodes it, as 8-bit RGBA.
QRgb pixelByImageMagick(const QString& path, int x, int y)
{
    QProcess process;
    process.start("convert-im6.q16",
                  {path, "-crop", QString("1x1+%1+%2").arg(x).arg(y), "-depth", "8", "rgba:-"});
    process.waitForFinished(60000);
    const QByteArray b = process.readAllStandardOutput();
    return b.size() == 4 ? qRgba(quint8(b[0]), quint8(b[1]), quint8(b[2]), quint8(b[3])) : 0x12345678u;
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
    // JPEG within a tolerance. GIF keys the transparent area; BMP, JPEG and TIFF put it on white.
    const std::tuple<const char*, const char*, QRgb, QRgb, QRgb, int> cases[] = {
        {"a.png", "PNG", kRed, kBlue, qRgba(0, 0, 0, 0), 0},
        {"a.gif", "GIF", kRed, kBlue, qRgba(0, 0, 0, 0), 0},
        {"a.bmp", "BMP3", kRed, kBlue, white, 0},
        {"a.tif", "TIFF", kRed, kBlue, white, 0},
        {"a.jpg", "JPEG", kRed, kBlue, white, 8},
    };
    for (const auto& [name, format, middle, corner, clear, tolerance] : cases) {
        const QString out = dir.filePath(name);
        const ProcessRun run = exportWith({src, out}, home);
        EXPECT_EQ(run.status, 0) << name << " " << run.errors.toStdString();
        EXPECT_TRUE(run.errors.isEmpty()) << run.errors.toStdString();
        EXPECT_EQ(ExportTestUtil::identify("%m %wx%h", out).toStdString(), std::string(format) + " 64x48");
        EXPECT_TRUE(near(pixelByImageMagick(out, 32, 24), middle, tolerance)) << name;
        EXPECT_TRUE(near(pixelByImageMagick(out, 1, 1), corner, tolerance)) << name;
        const QRgb seen = pixelByImageMagick(out, 60, 44);
        EXPECT_TRUE(qAlpha(clear) == 0 ? qAlpha(seen) == 0 : near(seen, clear, tolerance)) << name;
    }
    // The icon: the sizes up to the smaller side, in the file and in the Sizes folder.
    ASSERT_EQ(exportWith({src, dir.filePath("a.ico")}, home).status, 0);
    EXPECT_EQ(ExportTestUtil::identify("%m %w,", dir.filePath("a.ico")), "ICO 48,ICO 32,ICO 24,ICO 16,");
    EXPECT_TRUE(near(pixelByImageMagick(dir.filePath("a.ico[0]"), 24, 24), kRed, 0));
    EXPECT_EQ(qAlpha(pixelByImageMagick(dir.filePath("a.ico[3]"), 15, 15)), 0);
    EXPECT_EQ(QImage(home + "/Sizes/temp48.png").size(), QSize(48, 48));
}

TEST(ExportProgram, FailuresEndWithOneLineAndStatus1)
{
    QTemporaryDir dir;
    const QString src = dir.filePath("src.png");
    ASSERT_TRUE(sample().save(src));
    QFile huge(dir.filePath("huge.png"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    huge.write(ExportTestUtil::pngHeader(40000, 40000));
    huge.close();
    // 90 bytes of run-length BMP claiming 5,640 x 5,640 pixels.
    QByteArray rle(62, '\0');
    rle[0] = 'B';
    rle[1] = 'M';
    rle += QByteArray(26, '\x01') + QByteArray("\x00\x01", 2);
    for (const auto& [offset, value] :
         {std::pair{2, 90}, {10, 62}, {14, 40}, {18, 5640}, {22, 5640}, {30, 1}, {46, 2}})
        qToLittleEndian<quint32>(quint32(value), rle.data() + offset);
    qToLittleEndian<quint32>(0x00080001u, rle.data() + 26); // one plane, 8 bits
    QFile runs(dir.filePath("runs.bmp"));
    ASSERT_TRUE(runs.open(QIODevice::WriteOnly) && runs.write(rle) == 90);
    runs.close();
    const std::tuple<QString, QString, const char*> cases[] = {
        {dir.filePath("missing.png"), dir.filePath("b.png"), "missing.png"},
        {src, dir.filePath("no/such/folder/c.png"), "c.png"},
        {huge.fileName(), dir.filePath("d.gif"), "40,000 x 40,000 pixels, too large to export"},
        {src, dir.filePath("e.emf"), "EMF"},
        {runs.fileName(), dir.filePath("f.png"), "run-length data too short"},
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
