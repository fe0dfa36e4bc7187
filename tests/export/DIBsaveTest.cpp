#include "ExportTestUtil.h"
#include "export/DIBsave.h"

#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using ExportTestUtil::readGif;

TEST(DIBsaveTest, BlankMemoryClearAndRelease)
{
    DIBsave dib;
    EXPECT_EQ(dib.hDC(), nullptr);
    dib.CreateBlankMemory(30, 50);  // height first
    ASSERT_NE(dib.Img, nullptr);
    EXPECT_EQ(dib.ImgHeight, 30);
    EXPECT_EQ(dib.ImgWidth, 50);
    EXPECT_EQ(dib.Img->size(), QSize(50, 30));
    EXPECT_EQ(dib.Img->pixel(49, 29), 0u);  // zero-initialised: fully transparent
    EXPECT_EQ(dib.hDC(), dib.Graphics.get());

    // A second call holds the second bitmap and ends the first one's painter.
    dib.CreateBlankMemory(300, 10);
    EXPECT_EQ(dib.Img->size(), QSize(10, 300));
    ASSERT_TRUE(dib.Graphics->isActive());
    EXPECT_EQ(dib.Graphics->device(), dib.Img.get());

    // ClearScreen replaces alpha; DrawBackground composites over what is there.
    dib.ClearScreen(0x80FF0000u);
    EXPECT_EQ(dib.Img->pixel(5, 5), 0x80FF0000u);
    dib.Graphics->setClipRect(0, 0, 2, 2);
    dib.Graphics->translate(3, 3);
    dib.ClearScreen();
    EXPECT_EQ(dib.Img->pixel(5, 5), 0u);
    EXPECT_EQ(dib.Img->pixel(0, 0), 0u);
    EXPECT_TRUE(dib.Graphics->hasClipping());  // the caller's settings are back afterwards
    dib.Graphics->setClipping(false);
    dib.Graphics->resetTransform();
    dib.ClearScreen(0xFF0000FFu);
    dib.DrawBackground(0x00FFFFFFu);
    EXPECT_EQ(dib.Img->pixel(5, 5), 0xFF0000FFu);
    dib.DrawBackground(0xFF00FF00u);
    EXPECT_EQ(dib.Img->pixel(9, 299), 0xFF00FF00u);

    dib.Destroy();
    EXPECT_EQ(dib.Img, nullptr);
    EXPECT_EQ(dib.Graphics, nullptr);
    dib.ClearScreen(0xFFFFFFFFu);  // nothing held: no effect, no crash
}

TEST(DIBsaveTest, SizePropertiesRoundHalvesToEven)
{
    DIBsave dib;
    dib.setWidth(2.5f);
    dib.setHeight(3.5f);
    EXPECT_EQ(dib.Width(), 2.0f);
    EXPECT_EQ(dib.Height(), 4.0f);
    dib.setWidth(-1.6f);
    EXPECT_EQ(dib.Width(), -2.0f);
    dib.setFirstL(true);
    EXPECT_TRUE(dib.FirstL());
    dib.CreateBlankMemory(8, 8);
    EXPECT_EQ(dib.Width(), -2.0f);  // not tied to the bitmap
}

TEST(DIBsaveTest, FormatsDecodeBack)
{
    QTemporaryDir dir;
    DIBsave dib;
    dib.CreateBlankMemory(4, 6);
    dib.ClearScreen(0x40102030u);
    dib.Img->setPixel(0, 0, 0xFFFF0000u);

    const QString png = dir.filePath("a.png");
    ASSERT_TRUE(dib.Save(png, FileType::PNG)) << dib.lastError().toStdString();
    const QImage pngBack(png);
    EXPECT_EQ(pngBack.size(), QSize(6, 4));
    EXPECT_EQ(pngBack.convertToFormat(QImage::Format_ARGB32).pixel(3, 3), 0x40102030u);

    const QString bmp = dir.filePath("a.bmp");
    ASSERT_TRUE(dib.Save(bmp, FileType::BMP));
    EXPECT_EQ(QImageReader(bmp).format(), "bmp");
    EXPECT_EQ(QImage(bmp).pixel(0, 0), 0xFFFF0000u);

    const QString tif = dir.filePath("a.tif");
    ASSERT_TRUE(dib.Save(tif, FileType::TIFF)) << dib.lastError().toStdString();
    QImageReader tiffReader(tif);
    EXPECT_EQ(tiffReader.format(), "tiff");
    EXPECT_EQ(tiffReader.read().pixel(0, 0), 0xFFFF0000u);
    const QString tiffInfo = ExportTestUtil::identify("%[channels] %C %z", tif);
    if (!tiffInfo.isEmpty()) {
        EXPECT_EQ(tiffInfo, "srgb None 8");
    }

    // Quality reaches the JPEG writer: ImageMagick estimates it from the quantisation tables.
    dib.CreateBlankMemory(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            dib.Img->setPixel(x, y, qRgb(x * 4, y * 4, (x * y) % 256));
    const QString jpg90 = dir.filePath("q90.jpg");
    const QString jpg40 = dir.filePath("q40.jpg");
    ASSERT_TRUE(dib.Save(jpg90, FileType::JPEG, false, 90));
    ASSERT_TRUE(dib.Save(jpg40, FileType::JPEG, false, 40));
    EXPECT_EQ(QImageReader(jpg90).format(), "jpeg");
    EXPECT_GT(QFile(jpg90).size(), QFile(jpg40).size());
    const QString quality = ExportTestUtil::identify("%Q", jpg90);
    if (!quality.isEmpty()) {
        EXPECT_EQ(quality, "90");
    }
}

TEST(DIBsaveTest, UnsupportedCodesWriteNothingAndLeaveExistingFiles)
{
    QTemporaryDir dir;
    DIBsave dib;
    dib.CreateBlankMemory(4, 4);
    for (int code : {FileType::EMF, FileType::WMF, FileType::ICO, 8, -1}) {
        const QString path = dir.filePath(QString("x%1").arg(code));
        EXPECT_FALSE(dib.Save(path, code));
        EXPECT_FALSE(dib.lastError().isEmpty());
        EXPECT_FALSE(QFile::exists(path));
    }
    EXPECT_FALSE(DIBsave().Save(dir.filePath("empty.png"), FileType::PNG));

    // A failing write (the target is a folder) leaves no temporary file behind.
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.png"));
    EXPECT_FALSE(dib.Save(dir.filePath("taken.png"), FileType::PNG));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 0);
}

TEST(DIBsaveTest, GifKeyedOnAlphaThresholdAndDarkLift)
{
    QTemporaryDir dir;
    DIBsave dib;
    dib.CreateBlankMemory(1, 5);
    dib.Img->setPixel(0, 0, qRgba(200, 100, 50, 129));  // below the threshold: transparent
    dib.Img->setPixel(1, 0, qRgba(200, 100, 50, 130));  // at it: visible
    dib.Img->setPixel(2, 0, qRgba(3, 4, 9, 255));       // dark visible: lifted
    dib.Img->setPixel(3, 0, qRgba(10, 0, 0, 255));      // not dark in every channel: kept
    dib.Img->setPixel(4, 0, qRgba(0, 0, 0, 0));
    const QString gif = dir.filePath("k.gif");
    ASSERT_TRUE(dib.Save(gif, FileType::GIF, true, 90, 0, true, 24, 6, 130)) << dib.lastError().toStdString();

    const auto back = readGif(gif);
    ASSERT_TRUE(back.ok);
    EXPECT_EQ(back.colorMap.size(), 16);
    ASSERT_GE(back.transparentIndex, 0);
    EXPECT_EQ(back.indexAt(0, 0), back.transparentIndex);
    EXPECT_EQ(back.indexAt(4, 0), back.transparentIndex);
    EXPECT_NE(back.indexAt(1, 0), back.transparentIndex);
    EXPECT_EQ(back.colorAt(1, 0), qRgb(200, 100, 50));
    EXPECT_EQ(back.colorAt(2, 0), qRgb(5, 5, 5));
    EXPECT_EQ(back.colorAt(3, 0), qRgb(10, 0, 0));
    EXPECT_NE(back.indexAt(2, 0), back.transparentIndex);

    // Qt's own GIF reader agrees on the transparency.
    const QImage qtBack = QImage(gif).convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(qAlpha(qtBack.pixel(0, 0)), 0);
    EXPECT_EQ(qtBack.pixel(1, 0), qRgb(200, 100, 50));

    // Without the key nothing is transparent and black stays black.
    const QString plain = dir.filePath("p.gif");
    ASSERT_TRUE(dib.Save(plain, FileType::GIF, false));
    const auto plainBack = readGif(plain);
    ASSERT_TRUE(plainBack.ok);
    EXPECT_EQ(plainBack.transparentIndex, -1);
    EXPECT_EQ(plainBack.colorAt(4, 0), qRgb(0, 0, 0));
    EXPECT_EQ(plainBack.colorAt(2, 0), qRgb(3, 4, 9));
}

TEST(DIBsaveTest, HelpersCentreClipAndHitTest)
{
    DIBsave dib;
    dib.CreateBlankMemory(4, 8);
    dib.ClearScreen(0xFF00FF00u);
    dib.Img->setPixel(1, 1, 0x10FFFFFFu);

    QImage target(20, 2, QImage::Format_ARGB32);
    target.fill(0);
    QPainter painter(&target);
    dib.EdgeSmoothimg(painter, 20, 2);
    painter.end();
    // 8 wide centred in 20: x 6..13; clipped to 2 rows.
    EXPECT_EQ(target.pixel(5, 0), 0u);
    EXPECT_EQ(target.pixel(6, 0), 0xFF00FF00u);
    EXPECT_EQ(target.pixel(13, 1), 0xFF00FF00u);
    EXPECT_EQ(target.pixel(14, 0), 0u);

    EXPECT_TRUE(dib.CreateRgn(0, 200, 0, 0));
    EXPECT_FALSE(dib.CreateRgn(0, 0x10, 1, 1));
    EXPECT_TRUE(dib.CreateRgn(0, 0x0F, 1, 1));
    EXPECT_FALSE(dib.CreateRgn(0, 0, 8, 0));

    QImage hatch(14, 14, QImage::Format_ARGB32);
    hatch.fill(0);
    dib.DrawCopyrightLines(hatch);
    EXPECT_EQ(qAlpha(hatch.pixel(0, 7)), 100);
    EXPECT_EQ(qAlpha(hatch.pixel(7, 0)), 100);
    EXPECT_EQ(hatch.pixel(1, 1), 0u);

    QByteArray format;
    EXPECT_GE(DIBsave::GetEncoderClsid("IMAGE/PNG", format), 1);
    EXPECT_EQ(format, "png");
    format = "unchanged";
    EXPECT_EQ(DIBsave::GetEncoderClsid("image/x-none", format), -1);
    EXPECT_EQ(format, "unchanged");
}

TEST(DIBsaveTest, GifKeyNeverSwallowsVisibleDarkPixels)
{
    // Thousands of colours force folding high up the tree, where the key black shares a leaf with
    // the dark visible colours; the saved file must still hide exactly the keyed pixels.
    QTemporaryDir dir;
    DIBsave dib;
    dib.CreateBlankMemory(128, 128);
    quint32 seed = 7;
    for (int y = 0; y < 128; ++y) {
        for (int x = 0; x < 128; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int v = int(seed >> 8);
            QRgb c = qRgba(v & 255, (v >> 8) & 255, (v >> 16) & 255, 255);
            if ((x + y) % 5 == 0)
                c = qRgba(v % 9, (v >> 4) % 9, (v >> 8) % 9, 255);  // dark but visible
            if (x < 16)
                c = qRgba(v & 255, 0, 0, (v >> 8) % 130);  // keyed: alpha below 130
            dib.Img->setPixel(x, y, c);
        }
    }
    const QString gif = dir.filePath("dark.gif");
    ASSERT_TRUE(dib.Save(gif, FileType::GIF, true, 90, 0, true, 24, 6, 130));
    const auto back = readGif(gif);
    ASSERT_TRUE(back.ok);
    ASSERT_GE(back.transparentIndex, 0);
    int holes = 0;
    int leaks = 0;
    for (int y = 0; y < 128; ++y) {
        for (int x = 0; x < 128; ++x) {
            const bool keyed = x < 16;
            const bool transparent = back.indexAt(x, y) == back.transparentIndex;
            holes += !keyed && transparent;
            leaks += keyed && !transparent;
        }
    }
    EXPECT_EQ(holes, 0);
    EXPECT_EQ(leaks, 0);
    EXPECT_LE(back.colorMap.size(), 256);
}
