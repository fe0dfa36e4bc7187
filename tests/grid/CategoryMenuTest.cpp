#include "grid/CategoryMenu.h"
#include "controls/LayerListWidget.h"

#include <gtest/gtest.h>

TEST(CategoryMenuTest, TwentyCaptionsInTableOrder)
{
    LayerListWidget menu;
    CategoryMenu::fill(menu);
    const QStringList expected =
        QStringLiteral("Mobile|Medical|Shopping|Security|Network|Music|Map & Navigation|Building|Holiday|"
                       "Game|Food|Flag|File|Electronic|Education|Computer & Hardware|Clothes|Business|"
                       "Arrow|Animal")
            .split('|');
    ASSERT_EQ(menu.layers().count(), 20);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(menu.layers().layer(i).caption, expected[i] + " Icons") << i;
}
