#include "controls/LayerList.h"

#include <gtest/gtest.h>

namespace {

LayerList loaded(int count)
{
    LayerList list;
    for (int i = 0; i < count; ++i)
        list.load({QImage(), QStringLiteral("row %1").arg(i), 16, 16, 0.0, false});
    list.buildRows(LayerList::kBufferWidth);
    return list;
}

} // namespace

TEST(LayerListTest, TwentyLayersInReverseWithTheirContentHeightAndScrollPlans)
{
    LayerList list = loaded(20);
    EXPECT_EQ(list.contentHeight(), 602);
    ASSERT_EQ(list.rows().size(), 20);
    EXPECT_EQ(list.rows().front(), QRectF(0, 0, 300, 30));
    EXPECT_EQ(list.rows().back(), QRectF(0, 570, 300, 30));
    EXPECT_EQ(list.layer(list.layerOfRow(0)).caption, QStringLiteral("row 19")); // last loaded on top
    EXPECT_EQ(list.layer(list.layerOfRow(19)).caption, QStringLiteral("row 0"));
    EXPECT_EQ(list.bulletRect(2), QRectF(24, 72, 6, 6));
    EXPECT_EQ(list.captionOrigin(2), QPointF(40, 67));

    const ScrollPlan tall = LayerList::scrollPlan(602, 602);
    EXPECT_FALSE(tall.enabled);
    EXPECT_FALSE(LayerList::scrollPlan(700, 602).enabled);
    const ScrollPlan shorter = LayerList::scrollPlan(601, 602);
    EXPECT_TRUE(shorter.enabled);
    EXPECT_EQ(shorter.max, 1);
    EXPECT_EQ(LayerList::scrollPlan(250, 602).max, 352);
    EXPECT_EQ(loaded(0).contentHeight(), 2);
}

TEST(LayerListTest, HitTestSelectsTheLayerUnderThePointAndMissesKeepTheSelection)
{
    LayerList list = loaded(20);
    EXPECT_EQ(list.selectedIndex(), 0);
    EXPECT_EQ(list.highlightRow(), QRectF(0, 570, 300, 30)); // the bottom row before any hover

    EXPECT_TRUE(list.hitTest(0, 0, 0));
    EXPECT_EQ(list.selectedIndex(), 19);
    EXPECT_EQ(list.highlightRow(), QRectF(0, 0, 300, 30));
    EXPECT_TRUE(list.hitTest(299, 29.4f, 0)); // rounds into the top row, right edge inclusive of 299
    EXPECT_EQ(list.selectedIndex(), 19);
    EXPECT_TRUE(list.hitTest(10, 29.6f, 0)); // rounds to 30: the second row
    EXPECT_EQ(list.selectedIndex(), 18);
    EXPECT_TRUE(list.hitTest(10, 599, 0));
    EXPECT_EQ(list.selectedIndex(), 0);

    list.setSelectedIndex(7);
    EXPECT_FALSE(list.hitTest(10, 600, 0)); // the 2-pixel strip below the last row
    EXPECT_FALSE(list.hitTest(10, 601, 0));
    EXPECT_FALSE(list.hitTest(300, 10, 0)); // right of the buffer
    EXPECT_FALSE(list.hitTest(-1, 10, 0));
    EXPECT_FALSE(list.hitTest(10, -1, 0));
    EXPECT_EQ(list.selectedIndex(), 7);

    // The scroll value shifts the point into the content.
    EXPECT_TRUE(list.hitTest(10, 5, 300));
    EXPECT_EQ(list.selectedIndex(), 9);
}

TEST(LayerListTest, UpdateCleanAndRowsBuiltBeforeLaterLoads)
{
    LayerList list = loaded(3);
    const QImage picture(4, 4, QImage::Format_ARGB32);
    EXPECT_TRUE(list.update(1, picture, 32, 24, 0.5, true));
    EXPECT_EQ(list.layer(1).caption, QStringLiteral("row 1"));
    EXPECT_EQ(list.layer(1).width, 32);
    EXPECT_EQ(list.layer(1).height, 24);
    EXPECT_EQ(list.layer(1).opacity, 0.5);
    EXPECT_TRUE(list.layer(1).visible);
    EXPECT_EQ(list.layer(1).image.size(), QSize(4, 4));
    EXPECT_TRUE(list.update(1, QImage(), 8, 8, 1.0, false)); // no image: the stored one stays
    EXPECT_EQ(list.layer(1).image.size(), QSize(4, 4));

    EXPECT_FALSE(list.update(3, picture, 1, 1, 1.0, true));
    EXPECT_FALSE(list.update(-1, picture, 1, 1, 1.0, true));
    EXPECT_EQ(list.layer(2).width, 16);

    // A layer loaded after the rows were built takes no part until they are rebuilt.
    list.load({QImage(), QStringLiteral("late"), 16, 16, 0.0, false});
    EXPECT_EQ(list.count(), 4);
    EXPECT_FALSE(list.hitTest(10, 95, 0));
    list.buildRows(LayerList::kBufferWidth);
    EXPECT_TRUE(list.hitTest(10, 95, 0));
    EXPECT_EQ(list.selectedIndex(), 0);

    list.setSelectedIndex(2);
    list.clear();
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.selectedIndex(), 2);
    EXPECT_FALSE(list.highlightRow()); // no layers: no highlight
    EXPECT_FALSE(list.hitTest(10, 10, 0));
    list.load({QImage(), QStringLiteral("again"), 16, 16, 0.0, false});
    EXPECT_EQ(list.layer(0).caption, QStringLiteral("again"));
    EXPECT_TRUE(list.layer(0).image.isNull());
}
