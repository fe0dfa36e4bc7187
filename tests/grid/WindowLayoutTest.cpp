#include "grid/WindowLayout.h"

#include <gtest/gtest.h>

TEST(WindowLayout, PlacementsOnA1600By900WorkArea)
{
    const WindowLayout::Regions r = WindowLayout::compute(1600, 900);
    // The laid-out menu button (menuMain) lies under the Good Luck picture; it is shown right of it.
    const QRect placed[] = {r.logoPanel,         r.logoPicture, r.logoText,        r.menuPanel,
                            r.menuPanelShape,    r.titleBar,    r.mainControls[0], r.mainControls[1],
                            r.mainControls[2],   r.toolbar,     r.searchBox,       r.searchFrame,
                            r.searchButton,      r.searchBar,   r.goodLuck,        r.menuButton,
                            r.menuButtonVisible, r.hint,        r.progress,        r.gridViewport,
                            r.scrollbar,         r.iconGrid,    r.loadMore,        r.loadMoreCaption};
    const QRect expected[] = {
        {0, 0, 249, 105},     {25, 27, 50, 50},    {85, 45, 122, 15},  {0, 105, 249, 795},
        {-1, 104, 251, 797},  {249, 0, 1351, 33},  {912, 8, 17, 17},   {1316, 8, 17, 17},
        {1281, 8, 17, 17},    {249, 33, 1351, 89}, {409, 1, 533, 33},  {408, 0, 535, 35},
        {468, -4, 65, 41},    {5, 8, 463, 17},     {962, 1, 96, 36},   {952, 1, 41, 41},
        {1068, 1, 41, 41},    {489, 44, 372, 12},  {-1, 80, 0, 9},     {249, 122, 1334, 778},
        {1583, 122, 17, 778}, {0, 0, 1334, 778},   {0, 778, 1334, 41}, {600, 12, 134, 16}};
    static_assert(std::size(placed) == std::size(expected));
    for (std::size_t i = 0; i < std::size(placed); ++i)
        EXPECT_EQ(placed[i], expected[i]) << "region " << i;
    EXPECT_EQ(std::pair(r.toolbarLine, r.logoLine),
              std::pair(QLine(0, 88, 1351, 88), QLine(248, 0, 248, 105)));
}

TEST(WindowLayout, OnANarrowWindowTheSearchRowMovesLeftThenNarrowsSoEveryControlStaysInside)
{
    // 800 wide (1600 x 900 at 2x): the search box keeps its width and moves left; at the minimum
    // width it narrows too.
    const struct {
        int width;
        QRect search;
    } cases[] = {{800, {108, 1, 266, 33}}, {700, {41, 1, 233, 33}}, {640, {10, 1, 204, 33}}};
    for (const auto& c : cases) {
        const WindowLayout::Regions r = WindowLayout::compute(c.width, 430);
        EXPECT_EQ(r.searchBox, c.search) << c.width;
        const QRect toolbar(QPoint(0, 0), r.toolbar.size());
        for (const QRect& control : {r.searchBox, r.goodLuck, r.menuButtonVisible})
            EXPECT_TRUE(toolbar.adjusted(10, 0, -10, 0).contains(control)) << c.width;
        EXPECT_GT(r.goodLuck.left(), r.searchBox.right());
        EXPECT_GT(r.menuButtonVisible.left(), r.goodLuck.right());
        EXPECT_EQ(r.searchBar.width(), c.search.width() - 65 - 5) << "the text field fills the box";
    }
    EXPECT_EQ(WindowLayout::compute(1600, 860).searchBox, QRect(409, 1, 533, 33)) << "as designed";
}
