#include "imaging/GdiDIB.h"

#include "DibFixtures.h"

#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace DibFixtures;

// What GdiDIB adds to the section it shares with CDIB (tested there).
TEST(GdiDIB, FillColorTakesRoundedEdgesNotSizes)
{
    GdiDIB dib;
    ASSERT_TRUE(dib.Create(12, 10, 32));
    // Edges (2, 3) to (10, 8): exactly 8 x 5 pixels. Halves go to the even neighbour:
    // 2.5 -> 2, 3.5 -> 4, 0.5 -> 0, 1.5 -> 2. Inverted edges fill nothing.
    dib.FillColor(2, 3, 10, 8, 0x00FF0000);
    dib.FillColor(2.5f, 0.5f, 3.5f, 1.5f, 0x00FFFFFF);
    dib.FillColor(8, 9, 2, 10, 0x0000FF00);
    QImage expected(12, 10, QImage::Format_RGB32);
    expected.fill(Qt::black);
    QPainter painter(&expected);
    painter.fillRect(2, 3, 8, 5, Qt::blue);
    painter.fillRect(2, 0, 2, 2, Qt::white);
    painter.end();
    EXPECT_TRUE(dib.hDC() == expected);
}

TEST(GdiDIB, PaintCopiesAndStretchPicksPixels)
{
    GdiDIB dib;
    ASSERT_TRUE(dib.Create(4, 3, 24));
    fillPattern(dib.section());
    QImage target(9, 8, QImage::Format_RGB32);
    target.fill(Qt::white);
    QPainter painter(&target);
    dib.Paint(painter, 1, 0, 2, 2); // only the top-left 2 x 2 block
    // Colour on colour whatever the painter's mode, which is restored afterwards.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    EXPECT_NE(dib.Stretch(painter, 1, 2, 8, 6), 0);
    EXPECT_TRUE(painter.testRenderHint(QPainter::SmoothPixmapTransform));
    painter.end();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 9; ++x) {
            const QRgb expected = x >= 1 && y >= 2           ? dib.section().pixel((x - 1) / 2, (y - 2) / 2)
                                  : x >= 1 && x < 3 && y < 2 ? dib.section().pixel(x - 1, y)
                                                             : qRgb(255, 255, 255);
            ASSERT_EQ(target.pixel(x, y), expected) << x << "," << y;
        }
}

TEST(GdiDIB, FiguresAndTheImageSlotAreHeldApartAndClearedByDestroy)
{
    GdiDIB dib;
    ASSERT_TRUE(dib.Create(3, 5, 24));
    EXPECT_EQ(QList<int>({dib.hWidth(), dib.hHeight(), dib.BytesPerScanlines(), dib.Size(), dib.Width()}),
              QList<int>({3, 5, 36, 60, 0}));
    // Import loads a file into the slot with its size; an unreadable one empties the slot.
    QTemporaryDir dir;
    QImage picture(7, 3, QImage::Format_RGB32);
    picture.fill(qRgb(9, 8, 7));
    ASSERT_TRUE(QImageWriter(dir.filePath("in.png")).write(picture));
    EXPECT_EQ(dib.Import(dir.filePath("in.png")), 0);
    EXPECT_EQ(QSize(dib.Width(), dib.Height()), QSize(7, 3));
    EXPECT_EQ(dib.DIB().pixel(6, 2), qRgb(9, 8, 7));
    EXPECT_EQ(dib.Import(dir.filePath("missing.png")), 0);
    EXPECT_TRUE(dib.DIB().isNull() && dib.Width() == 0);
    dib.Import(dir.filePath("in.png"));
    dib.Destroy();
    EXPECT_TRUE(dib.hWidth() + dib.Size() + dib.Width() == 0 && dib.DIB().isNull());
}
