#include "grid/Artwork.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {
int opaquePixels(const QImage& img)
{
    int count = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            count += qAlpha(img.pixel(x, y)) > 128;
    return count;
}
} // namespace

TEST(Artwork, EveryPieceRendersAtItsSize)
{
    Artwork::init();
    const QSize expected[] = {{50, 50}, {122, 15}, {65, 41}, {96, 36}, {16, 16},
                              {16, 16}, {16, 16},  {16, 16}, {16, 16}};
    for (int k = 0; k < Artwork::kPieceCount; ++k) {
        const auto piece = Artwork::Piece(k);
        EXPECT_TRUE(QFile::exists(Artwork::resourcePath(piece))) << k;
        const QImage img = Artwork::image(piece);
        EXPECT_EQ(img.size(), expected[k]) << k;
        EXPECT_GT(opaquePixels(img), 0) << k;
        EXPECT_EQ(Artwork::pixmap(piece).size(), expected[k]) << k;
    }
}

TEST(Artwork, GlyphColoursAndShapes)
{
    // Caption glyphs in RGB(87, 87, 87) on transparency; the cross covers its centre, the bar
    // lies low, the window outlines leave their middle open.
    const QImage close = Artwork::image(Artwork::Piece::CaptionClose);
    const QColor centre = close.pixelColor(8, 8);
    EXPECT_GT(centre.alpha(), 100);
    EXPECT_EQ(qAlpha(close.pixel(0, 0)), 0);
    const QImage bar = Artwork::image(Artwork::Piece::CaptionMinimise);
    EXPECT_EQ(bar.pixelColor(8, 11).rgb(), qRgb(87, 87, 87));
    EXPECT_EQ(qAlpha(bar.pixel(8, 5)), 0);
    const QImage restore = Artwork::image(Artwork::Piece::CaptionRestore);
    EXPECT_EQ(restore.pixelColor(5, 13).rgb(), qRgb(87, 87, 87));
    EXPECT_EQ(qAlpha(restore.pixel(6, 10)), 0);

    // Download: grey disc with a white arrow; licence: green disc with a white i.
    const QColor disc = Artwork::image(Artwork::Piece::Download).pixelColor(3, 8);
    EXPECT_EQ(disc.red(), disc.green());
    EXPECT_EQ(disc.green(), disc.blue());
    EXPECT_LT(disc.red(), 200);
    EXPECT_GT(qGray(Artwork::image(Artwork::Piece::Download).pixel(8, 6)), 235);
    const QColor green = Artwork::image(Artwork::Piece::License).pixelColor(3, 8);
    EXPECT_GT(green.green(), green.red() + 50);
    EXPECT_GT(green.green(), green.blue() + 50);
    EXPECT_GT(qGray(Artwork::image(Artwork::Piece::License).pixel(8, 9)), 235);
    EXPECT_EQ(qAlpha(Artwork::image(Artwork::Piece::License).pixel(0, 0)), 0);
}
