#include "imaging/DibCanvas.h"

#include "DibFixtures.h"

#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace DibFixtures;

// What DibCanvas adds to the section it shares with DibBitmap (tested there).
TEST(DibCanvas, FillColorTakesRoundedEdgesNotSizes)
{
    DibCanvas dib;
    ASSERT_TRUE(dib.create(12, 10, 32));
    // Edges (2, 3) to (10, 8): exactly 8 x 5 pixels. Halves go to the even neighbour:
    // 2.5 -> 2, 3.5 -> 4, 0.5 -> 0, 1.5 -> 2. Inverted edges fill nothing.
    dib.fillColor(2, 3, 10, 8, 0x00FF0000);
    dib.fillColor(2.5f, 0.5f, 3.5f, 1.5f, 0x00FFFFFF);
    dib.fillColor(8, 9, 2, 10, 0x0000FF00);
    QImage expected(12, 10, QImage::Format_RGB32);
    expected.fill(Qt::black);
    QPainter painter(&expected);
    painter.fillRect(2, 3, 8, 5, Qt::blue);
    painter.fillRect(2, 0, 2, 2, Qt::white);
    painter.end();
    EXPECT_TRUE(dib.toImage() == expected);
}

TEST(DibCanvas, PaintCopiesAndStretchPicksPixels)
{
    DibCanvas dib;
    ASSERT_TRUE(dib.create(4, 3, 24));
    fillPattern(dib.section());
    QImage target(9, 8, QImage::Format_RGB32);
    target.fill(Qt::white);
    QPainter painter(&target);
    dib.paint(painter, 1, 0, 2, 2); // only the top-left 2 x 2 block
    // Colour on colour whatever the painter's mode, which is restored afterwards.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    EXPECT_NE(dib.stretch(painter, 1, 2, 8, 6), 0);
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

TEST(DibCanvas, FiguresAndTheImageSlotAreHeldApartAndClearedByDestroy)
{
    DibCanvas dib;
    ASSERT_TRUE(dib.create(3, 5, 24));
    EXPECT_EQ(QList<int>({dib.sectionWidth(), dib.sectionHeight(), dib.bytesPerThreeScanLines(), dib.size(),
                          dib.width()}),
              QList<int>({3, 5, 36, 60, 0}));
    // importFile loads a file into the slot with its size; an unreadable one empties the slot.
    QTemporaryDir dir;
    QImage picture(7, 3, QImage::Format_RGB32);
    picture.fill(qRgb(9, 8, 7));
    ASSERT_TRUE(QImageWriter(dir.filePath("in.png")).write(picture));
    EXPECT_EQ(dib.importFile(dir.filePath("in.png")), 0);
    EXPECT_EQ(QSize(dib.width(), dib.height()), QSize(7, 3));
    EXPECT_EQ(dib.image().pixel(6, 2), qRgb(9, 8, 7));
    EXPECT_EQ(dib.importFile(dir.filePath("missing.png")), 0);
    EXPECT_TRUE(dib.image().isNull() && dib.width() == 0);
    dib.importFile(dir.filePath("in.png"));
    dib.destroy();
    EXPECT_TRUE(dib.sectionWidth() + dib.size() + dib.width() == 0 && dib.image().isNull());
}
