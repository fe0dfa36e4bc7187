#include "grid/CategoryMenu.h"
#include "controls/CtlLayers.h"

#include <gtest/gtest.h>

TEST(CategoryMenuTest, TwentyCaptionsInTableOrderWithTheBottomRowHighlighted)
{
    CtlLayers menu;
    menu.resize(220, 640);
    menu.show();
    CategoryMenu::fill(menu);

    const QStringList expected = {"Mobile Icons",
                                  "Medical Icons",
                                  "Shopping Icons",
                                  "Security Icons",
                                  "Network Icons",
                                  "Music Icons",
                                  "Map & Navigation Icons",
                                  "Building Icons",
                                  "Holiday Icons",
                                  "Game Icons",
                                  "Food Icons",
                                  "Flag Icons",
                                  "File Icons",
                                  "Electronic Icons",
                                  "Education Icons",
                                  "Computer & Hardware Icons",
                                  "Clothes Icons",
                                  "Business Icons",
                                  "Arrow Icons",
                                  "Animal Icons"};
    ASSERT_EQ(menu.layers().count(), 20);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(menu.layers().layer(i).caption, expected[i]) << i;

    // The bottom row ("Mobile Icons") is the highlighted one before any hover.
    EXPECT_EQ(menu.SelectedIndex(), 0);
    EXPECT_NE(menu.surface().pixel(5, 19 * 30 + 15), CtlLayers::kBackColor);
}
