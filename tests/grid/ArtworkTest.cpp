#include "grid/Artwork.h"

#include <gtest/gtest.h>

namespace
{
int opaquePixels(const QImage& img)
{
    int opaque = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            opaque += qAlpha(img.pixel(x, y)) > 128;
    return opaque;
}
} // namespace

TEST(Artwork, EveryPieceRendersAtItsSizeAndAfreshAtTwiceTheRatio)
{
    Artwork::init();
    const QSize expected[] = {{50, 50}, {122, 15}, {65, 41}, {96, 36}, {16, 16},
                              {16, 16}, {16, 16},  {16, 16}, {16, 16}, {64, 64}};
    ASSERT_EQ(Artwork::kPieceCount, int(std::size(expected)));
    for (int k = 0; k < Artwork::kPieceCount; ++k) {
        const auto piece = Artwork::Piece(k);
        const QImage img = Artwork::image(piece);
        ASSERT_EQ(std::pair(img.size(), img.devicePixelRatio()), std::pair(expected[k], 1.0)) << k;
        EXPECT_GT(opaquePixels(img), 0) << k;

        // At ratio 2: twice the pixels, and not the 1x picture doubled.
        const QImage sharp = Artwork::image(piece, 2.0);
        ASSERT_EQ(std::pair(sharp.size(), sharp.devicePixelRatio()), std::pair(expected[k] * 2, 2.0)) << k;
        QImage doubled = img.scaled(expected[k] * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        doubled.setDevicePixelRatio(2.0);
        // (A bar on whole pixels doubles exactly.)
        if (piece != Artwork::Piece::CaptionMinimise) {
            EXPECT_NE(sharp, doubled) << k;
        }
        EXPECT_NEAR(opaquePixels(sharp), 4 * opaquePixels(img), 0.25 * 4 * opaquePixels(img) + 8) << k;
    }
    // The window icon: the logo at the usual sizes.
    const QIcon icon = Artwork::icon();
    EXPECT_EQ(std::pair(icon.availableSizes().size(), icon.pixmap(QSize(256, 256)).size()),
              std::pair(qsizetype(7), QSize(256, 256)));
}
