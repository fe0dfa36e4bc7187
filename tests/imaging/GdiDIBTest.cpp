#include "imaging/GdiDIB.h"

#include "DibFixtures.h"

#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace DibFixtures;

TEST(GdiDIB, FiguresAreHeldSeparatelyAndClearedByDestroy)
{
    GdiDIB dib;
    ASSERT_TRUE(dib.Create(3, 5, 24));
    EXPECT_EQ(dib.hWidth(), 3);
    EXPECT_EQ(dib.hHeight(), 5);
    EXPECT_EQ(dib.BPP(), 24);
    EXPECT_EQ(dib.BytesPerScanLine(), 12);
    EXPECT_EQ(dib.BytesPerScanlines(), 36);
    EXPECT_EQ(dib.Size(), 60);
    EXPECT_EQ(dib.Width(), 0) << "Width is the image slot's, not the section's";

    ASSERT_TRUE(dib.Create(5, 1, 1));
    EXPECT_EQ(dib.BytesPerScanlines(), 12);
    EXPECT_FALSE(dib.Create(5, 1, 16));
    EXPECT_EQ(dib.hWidth(), 0);
    EXPECT_EQ(dib.BytesPerScanLine(), 0);
    EXPECT_EQ(dib.hDIB(), 0u);

    ASSERT_TRUE(dib.Create(2, 2, 8));
    dib.setDIB(QImage(4, 4, QImage::Format_ARGB32));
    dib.setWidth(4);
    dib.setHeight(9);
    dib.Destroy();
    EXPECT_EQ(dib.hWidth(), 0);
    EXPECT_EQ(dib.Size(), 0);
    EXPECT_TRUE(dib.DIB().isNull());
    EXPECT_EQ(dib.Width(), 0);
    EXPECT_EQ(dib.Height(), 0);
}

TEST(GdiDIB, FillColorTakesRoundedEdgesNotSizes)
{
    GdiDIB dib;
    ASSERT_TRUE(dib.Create(12, 10, 32));
    dib.FillColor(2, 3, 10, 8, 0x00FF0000); // blue
    int filled = 0;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x) {
            const bool inside = x >= 2 && x < 10 && y >= 3 && y < 8;
            const QRgb expected = inside ? qRgb(0, 0, 255) : qRgb(0, 0, 0);
            ASSERT_EQ(dib.section().pixel(x, y), expected) << x << "," << y;
            filled += inside;
        }
    EXPECT_EQ(filled, 40);

    // Halves go to the even neighbour: 2.5 -> 2, 3.5 -> 4, 0.5 -> 0, 1.5 -> 2.
    dib.Reset();
    dib.FillColor(2.5f, 0.5f, 3.5f, 1.5f, 0x00FFFFFF);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool inside = x >= 2 && x < 4 && y < 2;
            ASSERT_EQ(dib.section().pixel(x, y) == qRgb(255, 255, 255), inside) << x << "," << y;
        }

    // Inverted edges fill nothing; edges beyond the section are clipped.
    dib.Reset();
    dib.FillColor(8, 3, 2, 8, 0x00FFFFFF);
    EXPECT_EQ(dib.section().pixel(5, 5), qRgb(0, 0, 0));
    dib.FillColor(-4, -4, 100, 100, 0x0000FF00);
    EXPECT_EQ(dib.section().pixel(11, 9), qRgb(0, 255, 0));
    EXPECT_EQ(dib.section().pixel(0, 0), qRgb(0, 255, 0));
}

TEST(GdiDIB, PaintCopiesAndStretchPicksPixels)
{
    GdiDIB dib;
    ASSERT_TRUE(dib.Create(4, 3, 24));
    fillPattern(dib.section());
    QImage target(9, 7, QImage::Format_RGB32);
    target.fill(Qt::white);
    {
        QPainter painter(&target);
        dib.Paint(painter, 1, 2, 2, 2); // only the top-left 2 x 2 block
    }
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 9; ++x) {
            const bool inside = x >= 1 && x < 3 && y >= 2 && y < 4;
            ASSERT_EQ(target.pixel(x, y), inside ? dib.section().pixel(x - 1, y - 2) : qRgb(255, 255, 255));
        }

    target.fill(Qt::white);
    {
        QPainter painter(&target);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        EXPECT_NE(dib.Stretch(painter, 0, 0, 8, 6), 0);
        EXPECT_TRUE(painter.testRenderHint(QPainter::SmoothPixmapTransform)) << "previous mode restored";
    }
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(target.pixel(x, y), dib.section().pixel(x / 2, y / 2)) << x << "," << y;
}

TEST(GdiDIB, CloneToAndLoadBltMatchTheSectionClass)
{
    GdiDIB source, target;
    ASSERT_TRUE(source.Create(5, 3, 4));
    fillPattern(source.section());
    target.CloneTo(source); // an empty source changes nothing
    EXPECT_EQ(source.BPP(), 4);
    source.CloneTo(target);
    ASSERT_EQ(target.BPP(), 4);
    EXPECT_EQ(target.hWidth(), 5);
    QByteArray a, b;
    source.GetPalette(a);
    target.GetPalette(b);
    EXPECT_EQ(a, b);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(target.lpBits()), target.Size()),
              QByteArray(reinterpret_cast<const char*>(source.lpBits()), source.Size()));

    GdiDIB copy;
    ASSERT_TRUE(copy.Create(5, 3, 32));
    EXPECT_NE(copy.LoadBlt(target.hDC()), 0);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            ASSERT_EQ(copy.section().pixel(x, y), source.section().pixel(x, y));
    copy.Cls(0x00123456);
    EXPECT_EQ(copy.section().pixel(4, 2), qRgb(0x56, 0x34, 0x12));
}

TEST(GdiDIB, ImageSlotHoldsCopiesAndImportTakesTheFileSize)
{
    GdiDIB dib;
    QImage picture(6, 4, QImage::Format_ARGB32);
    picture.fill(qRgba(1, 2, 3, 4));
    dib.setDIB(picture);
    picture.fill(Qt::red);
    EXPECT_EQ(dib.DIB().pixel(0, 0), qRgba(1, 2, 3, 4)) << "set stores a copy";
    QImage out = dib.DIB();
    out.fill(Qt::green);
    EXPECT_EQ(dib.DIB().pixel(5, 3), qRgba(1, 2, 3, 4)) << "get hands out a copy";
    EXPECT_EQ(dib.Width(), 0) << "setting the image leaves the plain size fields";

    QTemporaryDir dir;
    QImage file(7, 3, QImage::Format_RGB32);
    file.fill(qRgb(9, 8, 7));
    ASSERT_TRUE(QImageWriter(dir.filePath("in.png")).write(file));
    EXPECT_EQ(dib.Import(dir.filePath("in.png")), 0);
    EXPECT_EQ(dib.Width(), 7);
    EXPECT_EQ(dib.Height(), 3);
    EXPECT_EQ(dib.DIB().pixel(6, 2), qRgb(9, 8, 7));

    EXPECT_EQ(dib.Import(dir.filePath("missing.png")), 0);
    EXPECT_TRUE(dib.DIB().isNull());
    EXPECT_EQ(dib.Width(), 0);
}
