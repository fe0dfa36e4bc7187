#include "grid/Artwork.h"

#include <gtest/gtest.h>

TEST(Artwork, EveryPieceRendersAtItsSizeWithSomethingDrawn)
{
    Artwork::init();
    const QSize expected[] = {{50, 50}, {122, 15}, {65, 41}, {96, 36}, {16, 16},
                              {16, 16}, {16, 16},  {16, 16}, {16, 16}};
    ASSERT_EQ(Artwork::kPieceCount, int(std::size(expected)));
    for (int k = 0; k < Artwork::kPieceCount; ++k) {
        const auto piece = Artwork::Piece(k);
        const QImage img = Artwork::image(piece);
        ASSERT_EQ(img.size(), expected[k]) << k;
        int opaque = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                opaque += qAlpha(img.pixel(x, y)) > 128;
        EXPECT_GT(opaque, 0) << k;
    }
}
