#include "grid/GridGeometry.h"

#include <gtest/gtest.h>

#include <vector>

// The five-column grid is checked through the tiles and lines IconGrid places; here the uneven
// cell widths and the rounding rules.
TEST(GridGeometry, FractionalCellsRoundingAndFittedThumbnails)
{
    const GridGeometry g(1654);
    EXPECT_EQ(g.columns(), 8);
    EXPECT_FLOAT_EQ(g.cellWidth(), 206.75f);
    EXPECT_EQ(g.cellStep(), 207);
    EXPECT_EQ(g.tileRect(2, 7), QRect(1450, 401, 206, 199));
    EXPECT_EQ(g.cellRect(2, 7), QRect(1449, 400, 207, 200));
    EXPECT_EQ(g.verticalLines(1654), (std::vector<int>{207, 414, 621, 828, 1035, 1242, 1449}));
    EXPECT_EQ(GridGeometry::horizontalLines(600), (std::vector<int>{200, 400}));

    // Rounding of the grid width and of the cell width go halves to even.
    EXPECT_EQ(GridGeometry(399.5f).columns(), 2);
    EXPECT_EQ(GridGeometry(401).cellStep(), 200); // 200.5
    EXPECT_EQ(GridGeometry(403).cellStep(), 202); // 201.5
    EXPECT_FALSE(GridGeometry(199).isUsable());

    // Wide thumbnails are bounded by the tile width; odd remainders round halves to even.
    EXPECT_EQ(GridGeometry::imageRect(876, 100, {219, 200}), QRect(0, 87, 219, 25));
    EXPECT_EQ(GridGeometry::imageRect(33, 33, {206, 199}), QRect(86, 83, 33, 33));
    EXPECT_TRUE(GridGeometry::imageRect(0, 0, {219, 200}).isEmpty());
}
