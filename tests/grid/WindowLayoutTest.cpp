#include "grid/WindowLayout.h"

#include <gtest/gtest.h>

TEST(WindowLayout, PlacementsOnA1600By900WorkArea)
{
    const WindowLayout::Regions r = WindowLayout::compute(1600, 900);

    EXPECT_EQ(r.LogoPic, QRect(0, 0, 249, 105));
    EXPECT_EQ(r.Logopic1, QRect(25, 27, 50, 50));
    EXPECT_EQ(r.LogoText, QRect(85, 45, 122, 15));
    EXPECT_EQ(r.Line2, QLine(248, 0, 248, 105));
    EXPECT_EQ(r.menuPanel, QRect(0, 105, 249, 795));
    EXPECT_EQ(r.menuPanelShape, QRect(-1, 104, 251, 797));

    EXPECT_EQ(r.TitleBar, QRect(249, 0, 1351, 33));
    EXPECT_EQ(r.mainControls[0], QRect(912, 8, 17, 17));
    EXPECT_EQ(r.mainControls[1], QRect(1316, 8, 17, 17));
    EXPECT_EQ(r.mainControls[2], QRect(1281, 8, 17, 17));

    EXPECT_EQ(r.Toolbar, QRect(249, 33, 1351, 89));
    EXPECT_EQ(r.SearchOLE, QRect(409, 1, 533, 33));
    EXPECT_EQ(r.Shape3, QRect(408, 0, 535, 35));
    EXPECT_EQ(r.SearchButton, QRect(468, -4, 65, 41));
    EXPECT_EQ(r.SearchBar, QRect(5, 8, 463, 17));
    EXPECT_EQ(r.GoodLuck, QRect(962, 1, 96, 36));
    EXPECT_EQ(r.menuMain, QRect(952, 1, 41, 41));
    // The laid-out menu button lies under the Good Luck picture; it is shown right of it.
    EXPECT_EQ(r.menuMainVisible, QRect(1068, 1, 41, 41));
    EXPECT_EQ(r.Label1, QRect(489, 44, 372, 12));
    EXPECT_EQ(r.Line1, QLine(0, 88, 1351, 88));
    EXPECT_EQ(r.Progress, QRect(-1, 80, 0, 9));

    EXPECT_EQ(r.GridPIC, QRect(249, 122, 1334, 778));
    EXPECT_EQ(r.ucScrollbar1, QRect(1583, 122, 17, 778));
    EXPECT_EQ(r.IconGrid, QRect(0, 0, 1334, 778));
    EXPECT_EQ(r.LoadMore, QRect(0, 778, 1334, 41));
    EXPECT_EQ(r.Label2, QRect(600, 12, 134, 16));
}
