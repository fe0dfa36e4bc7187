#include "grid/GridGeometry.h"

#include <gtest/gtest.h>

#include <vector>

TEST(GridGeometry, ColumnsCellsTilesAndLinesForTwoWidths)
{
    const GridGeometry g1100(1100);
    EXPECT_EQ(g1100.columns(), 5);
    EXPECT_FLOAT_EQ(g1100.leftover(), 100);
    EXPECT_FLOAT_EQ(g1100.cellWidth(), 220);
    EXPECT_EQ(g1100.cellStep(), 220);
    const int lefts[] = {1, 221, 441, 661, 881};
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(g1100.tileRect(0, c), QRect(lefts[c], 0, 219, 200)) << c;
    // Below row 0 a tile starts one pixel under its top line.
    EXPECT_EQ(g1100.tileRect(1, 0), QRect(1, 201, 219, 199));
    EXPECT_EQ(g1100.verticalLines(1100), (std::vector<int>{220, 440, 660, 880}));
    EXPECT_TRUE(GridGeometry::horizontalLines(200).empty());
    EXPECT_EQ(GridGeometry::horizontalLines(600), (std::vector<int>{200, 400}));

    const GridGeometry g1654(1654);
    EXPECT_EQ(g1654.columns(), 8);
    EXPECT_FLOAT_EQ(g1654.leftover(), 54);
    EXPECT_FLOAT_EQ(g1654.cellWidth(), 206.75f);
    EXPECT_EQ(g1654.cellStep(), 207);
    EXPECT_EQ(g1654.tileRect(2, 7), QRect(1450, 401, 206, 199));
    EXPECT_EQ(g1654.cellRect(2, 7), QRect(1449, 400, 207, 200));
    EXPECT_EQ(g1654.verticalLines(1654), (std::vector<int>{207, 414, 621, 828, 1035, 1242, 1449}));

    // Rounding of the grid width and of the cell width go halves to even.
    EXPECT_EQ(GridGeometry(399.5f).columns(), 2);
    EXPECT_EQ(GridGeometry(401).cellStep(), 200); // 200.5
    EXPECT_EQ(GridGeometry(403).cellStep(), 202); // 201.5
    EXPECT_FALSE(GridGeometry(199).isUsable());
}

TEST(GridGeometry, SurfaceHeightAndFittedThumbnails)
{
    const GridGeometry g(1100); // 5 columns
    for (int n = 1; n <= 5; ++n)
        EXPECT_EQ(g.surfaceHeight(n), 200) << n;
    EXPECT_EQ(g.surfaceHeight(6), 400);
    EXPECT_EQ(g.surfaceHeight(10), 400);
    EXPECT_EQ(g.surfaceHeight(11), 600);

    // Scaled down to the 100-pixel box and centred, in a row-0 and a later-row tile.
    EXPECT_EQ(GridGeometry::imageRect(150, 150, {219, 200}), QRect(59, 50, 100, 100));
    EXPECT_EQ(GridGeometry::imageRect(150, 150, {219, 199}), QRect(59, 49, 100, 100));
    // Small thumbnails keep their size.
    EXPECT_EQ(GridGeometry::imageRect(48, 48, {219, 200}), QRect(85, 76, 48, 48));
    // Wide ones are bounded by the tile width; odd remainders round halves to even.
    EXPECT_EQ(GridGeometry::imageRect(876, 100, {219, 200}), QRect(0, 87, 219, 25));
    EXPECT_EQ(GridGeometry::imageRect(33, 33, {206, 199}), QRect(86, 83, 33, 33));
    EXPECT_TRUE(GridGeometry::imageRect(0, 0, {219, 200}).isEmpty());
}
