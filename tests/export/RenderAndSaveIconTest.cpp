#include "export/RenderAndSaveIcon.h"
#include "ExportTestUtil.h"
#include "export/DIBsave.h"
#include "platform/ScreenCursor.h"

#include "support/ScriptedDialogs.h"

#include <QDir>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace ExportTestUtil;

namespace
{

const QRgb kRed = qRgb(220, 30, 30);

// Transparent, with an opaque red square in the middle half; the top row starts with pixels on
// either side of the GIF key's alpha threshold of 130, a dark one and a nearly dark one.
const QRgb kTopRow[5] = {qRgba(0, 0, 255, 100), qRgba(200, 100, 50, 129), qRgba(200, 100, 50, 130),
                         qRgb(3, 4, 9), qRgb(10, 0, 0)};

QImage sampleIcon(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(0);
    for (int y = h / 4; y < h - h / 4; ++y)
        for (int x = w / 4; x < w - w / 4; ++x)
            image.setPixel(x, y, kRed);
    for (int x = 0; x < 5; ++x)
        image.setPixel(x, 0, kTopRow[x]);
    return image;
}

class ExportFolder : public AppFolder
{
protected:
    static QImage sizeFile(int s) { return QImage(AppPaths::sizes() + QString("/temp%1.png").arg(s)); }
    ExportResult exportAs(const QString& name, int code, const QImage& source, int quality = 90)
    {
        return RenderAndSaveIcon(out(name), code, 0, 1, 1, true, true, 0, quality, source, true, &dialogs);
    }

    ScriptedDialogs dialogs;
};

} // namespace

TEST_F(ExportFolder, EachFormatDecodesBackWithItsBackground)
{
    const QImage icon = sampleIcon(64, 64);
    ASSERT_TRUE(exportAs("i.png", FileType::PNG, icon).ok);
    const QImage png = QImage(out("i.png")).convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(png.pixel(32, 32), kRed);
    EXPECT_EQ(png.pixel(2, 60), 0u);
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(png.pixel(x, 0), kTopRow[x]) << x;

    // JPEG, BMP and TIFF on white: the transparent area white, the square red.
    for (const auto& [name, code, format] :
         {std::tuple{"i.jpg", FileType::JPEG, "jpeg"}, std::tuple{"i.bmp", FileType::BMP, "bmp"},
          std::tuple{"i.tif", FileType::TIFF, "tiff"}}) {
        ASSERT_TRUE(exportAs(name, code, icon).ok) << name;
        EXPECT_EQ(QImageReader(out(name)).format(), format);
        const QImage back(out(name));
        const QColor bg = back.pixelColor(2, 60), mid = back.pixelColor(32, 32);
        EXPECT_GE(std::min({bg.red(), bg.green(), bg.blue()}), 250) << name;
        EXPECT_NEAR(mid.red(), 220, 6) << name;
        EXPECT_NEAR(mid.green(), 30, 6) << name;
    }
    // The JPEG quality reaches the writer; TIFF is 24-bit and uncompressed.
    ASSERT_TRUE(exportAs("q40.jpg", FileType::JPEG, icon, 40).ok);
    EXPECT_GT(QFile(out("i.jpg")).size(), QFile(out("q40.jpg")).size());
    EXPECT_EQ(identify("%Q", out("i.jpg")), "90");
    EXPECT_EQ(identify("%[channels] %C %z", out("i.tif")), "srgb None 8");

    // GIF keys on the icon's own alpha: the background comes out transparent, not magenta; alpha
    // 130 stays visible, and dark visible pixels are lifted to (5, 5, 5).
    ASSERT_TRUE(exportAs("i.gif", FileType::GIF, icon).ok);
    const auto gif = readGif(out("i.gif"));
    EXPECT_EQ(gif.colorMap.size(), 16);
    ASSERT_GE(gif.transparentIndex, 0);
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(gif.indexAt(x, 0) == gif.transparentIndex, x < 2) << x;
    EXPECT_EQ(gif.indexAt(2, 60), gif.transparentIndex);
    EXPECT_EQ(gif.colorAt(32, 32), kRed);
    EXPECT_EQ(gif.colorAt(2, 0), qRgb(200, 100, 50));
    EXPECT_EQ(gif.colorAt(3, 0), qRgb(5, 5, 5));
    EXPECT_EQ(gif.colorAt(4, 0), qRgb(10, 0, 0));

    // Metafiles are refused with a message naming the format, and nothing is written.
    for (const auto& [name, code] : {std::pair{"i.emf", FileType::EMF}, std::pair{"i.wmf", FileType::WMF}}) {
        const ExportResult result = exportAs(name, code, icon);
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.message.contains(QString(name).mid(2).toUpper())) << result.message.toStdString();
        EXPECT_FALSE(QFile::exists(out(name)));
    }
    EXPECT_EQ(dialogs.asked.filter(QRegularExpression("^inform:Pictomine\\|.*not supported")).size(), 2);
    EXPECT_EQ(ScreenCursor::current(), ScreenCursor::Default);
}

TEST_F(ExportFolder, IconFileHoldsEverySizeUpToTheSmallerSide)
{
    const QList<int> all = {256, 128, 64, 48, 32, 24, 16};

    // 12 x 12 is too small: a message and no file.
    const ExportResult tiny = exportAs("tiny.ico", FileType::ICO, sampleIcon(12, 12));
    EXPECT_TRUE(!tiny.ok && tiny.message.contains("12 x 12")) << tiny.message.toStdString();
    EXPECT_FALSE(QFile::exists(out("tiny.ico")));
    EXPECT_TRUE(QDir(AppPaths::sizes()).isEmpty());

    ASSERT_TRUE(exportAs("big.ico", FileType::ICO, sampleIcon(512, 512)).ok);
    const auto entries = readIco(out("big.ico"));
    ASSERT_EQ(entries.size(), 7);
    for (int i = 0; i < 7; ++i) {
        const int s = all[i];
        EXPECT_TRUE(s == 256 ? entries[i].png : entries[i].dib32) << s;
        // The whole icon at each size, in the file and in Sizes: red middle, transparent corners.
        for (const QImage& image : {entries[i].image, sizeFile(s)}) {
            ASSERT_EQ(image.size(), QSize(s, s));
            EXPECT_EQ(image.pixel(s / 2, s / 2), kRed) << s;
            EXPECT_EQ(qAlpha(image.pixel(1, s - 2)), 0) << s;
        }
    }
    EXPECT_EQ(identify("%wx%h,", out("big.ico")), "256x256,128x128,64x64,48x48,32x32,24x24,16x16,");
    // The 256-pixel PNG is encoded once: the icon holds the very bytes of temp256.png. No
    // temporary file is left in Sizes.
    QFile ico(out("big.ico")), png256(AppPaths::sizes() + "/temp256.png");
    ASSERT_TRUE(ico.open(QIODevice::ReadOnly) && png256.open(QIODevice::ReadOnly));
    const QByteArray icoBytes = ico.readAll();
    EXPECT_EQ(icoBytes.mid(qFromLittleEndian<quint32>(icoBytes.constData() + 18),
                           qFromLittleEndian<quint32>(icoBytes.constData() + 14)),
              png256.readAll());
    EXPECT_EQ(QDir(AppPaths::sizes()).entryList(QDir::Files | QDir::Hidden).size(), 7);

    // A 100 x 60 source: sizes up to 60 replace their files; the larger ones of the first stay.
    const QImage before256 = sizeFile(256);
    QImage wide(100, 60, QImage::Format_ARGB32);
    wide.fill(qRgb(0, 200, 0));
    ASSERT_TRUE(exportAs("wide.ico", FileType::ICO, wide).ok);
    EXPECT_EQ(identify("%w,", out("wide.ico")), "48,32,24,16,");
    EXPECT_EQ(sizeFile(48).pixel(3, 3), qRgb(0, 200, 0));
    EXPECT_EQ(sizeFile(64).pixel(32, 32), kRed);
    EXPECT_EQ(sizeFile(256), before256);
}
