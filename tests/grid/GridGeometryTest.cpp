#include "grid/GridGeometry.h"

#include <gtest/gtest.h>

#include <vector>

TEST(GridGeometry, ColumnsCellStepAndLinesForTwoWidths)
{
    const GridGeometry g1100(1100);
    EXPECT_EQ(g1100.columns(), 5);
    EXPECT_FLOAT_EQ(g1100.leftover(), 100);
    EXPECT_FLOAT_EQ(g1100.cellWidth(), 220);
    EXPECT_EQ(g1100.cellStep(), 220);
    const std::vector<int> lefts{1, 221, 441, 661, 881};
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(g1100.tileRect(0, c).left(), lefts[std::size_t(c)]);
        EXPECT_EQ(g1100.tileRect(0, c).width(), 219);
    }
    EXPECT_EQ(g1100.verticalLines(1100), (std::vector<int>{220, 440, 660, 880}));

    const GridGeometry g1654(1654);
    EXPECT_EQ(g1654.columns(), 8);
    EXPECT_FLOAT_EQ(g1654.leftover(), 54);
    EXPECT_FLOAT_EQ(g1654.cellWidth(), 206.75f);
    EXPECT_EQ(g1654.cellStep(), 207);
    EXPECT_EQ(g1654.tileRect(2, 7), QRect(7 * 207 + 1, 401, 206, 199));
    EXPECT_EQ(g1654.cellRect(2, 7), QRect(7 * 207, 400, 207, 200));
    EXPECT_EQ(g1654.verticalLines(1654).size(), 7u);
    EXPECT_EQ(g1654.verticalLines(1654).back(), 7 * 207);

    // Rounding of the grid width and of the cell width go halves to even.
    EXPECT_EQ(GridGeometry(399.5f).columns(), 2);  // rounded to 400 before the division
    EXPECT_EQ(GridGeometry(399.4f).columns(), 1);
    EXPECT_EQ(GridGeometry(401).cellStep(), 200);   // 200.5 -> 200
    EXPECT_EQ(GridGeometry(403).cellStep(), 202);   // 201.5 -> 202

    EXPECT_FALSE(GridGeometry(199).isUsable());
    EXPECT_TRUE(GridGeometry(199).verticalLines(1000).empty());
}

TEST(GridGeometry, RowTopsHeightsAndHorizontalLines)
{
    const GridGeometry g(1100);
    EXPECT_EQ(g.tileRect(0, 0), QRect(1, 0, 219, 200));
    EXPECT_EQ(g.tileRect(1, 0), QRect(1, 201, 219, 199));
    EXPECT_EQ(g.tileRect(3, 2), QRect(441, 601, 219, 199));
    EXPECT_TRUE(GridGeometry::horizontalLines(200).empty());
    EXPECT_EQ(GridGeometry::horizontalLines(600), (std::vector<int>{200, 400}));
}

TEST(GridGeometry, SurfaceHeightFollowsRowCount)
{
    const GridGeometry g(1100);  // N = 5
    for (int n = 1; n <= 5; ++n)
        EXPECT_EQ(g.surfaceHeight(n), 200) << n;
    EXPECT_EQ(g.surfaceHeight(6), 400);
    EXPECT_EQ(g.surfaceHeight(10), 400);
    EXPECT_EQ(g.surfaceHeight(11), 600);
    EXPECT_EQ(GridGeometry(1654).surfaceHeight(780), 98 * 200);
}

TEST(GridGeometry, ThumbnailFittedAndCentred)
{
    // Scaled down to the 100-pixel box height and centred in a row-0 tile, then a later-row tile.
    EXPECT_EQ(GridGeometry::imageRect(150, 150, {219, 200}), QRect(59, 50, 100, 100));
    EXPECT_EQ(GridGeometry::imageRect(150, 150, {219, 199}), QRect(59, 49, 100, 100));
    // Small thumbnails keep their size.
    EXPECT_EQ(GridGeometry::imageRect(48, 48, {219, 200}), QRect(85, 76, 48, 48));
    EXPECT_EQ(GridGeometry::imageRect(48, 48, {219, 199}), QRect(85, 75, 48, 48));
    // Wide thumbnails are bounded by the tile width; odd remainders round halves to even.
    EXPECT_EQ(GridGeometry::imageRect(876, 100, {219, 200}), QRect(0, 87, 219, 25));
    EXPECT_EQ(GridGeometry::imageRect(33, 33, {206, 199}), QRect(86, 83, 33, 33));
    // Nothing to fit: an empty rectangle, no division by zero.
    EXPECT_TRUE(GridGeometry::imageRect(0, 0, {219, 200}).isEmpty());
}

TEST(GridGeometry, HalfRoundsToEvenThenTruncates)
{
    EXPECT_EQ(GridGeometry::half(55), 27);
    EXPECT_EQ(GridGeometry::half(2.5), 1);   // 2 / 2
    EXPECT_EQ(GridGeometry::half(3.5), 2);   // 4 / 2
    EXPECT_EQ(GridGeometry::half(-8), -4);
    EXPECT_EQ(GridGeometry::half(-7), -3);   // toward zero
}
