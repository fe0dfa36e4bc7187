#include "grid/TileStrip.h"

#include <gtest/gtest.h>

namespace
{
// Ticks the running animation until it stops; returns the number of ticks.
int finish(TileStrip& strip)
{
    int ticks = 0;
    for (; (strip.isRevealing() || strip.isHiding()) && ticks < 1000; ++ticks)
        strip.isRevealing() ? strip.revealTick() : strip.hideTick();
    return ticks;
}
} // namespace

TEST(TileStrip, AnimatesFromWhereItIsAndResizePutsItUnderTheNewEdge)
{
    TileStrip strip;
    strip.resize(219, 200);
    EXPECT_EQ(std::pair(strip.infoPos(), strip.downloadPos()), std::pair(QPoint(198, 200), QPoint(177, 200)));
    strip.mouseActive();
    for (int k = 0; k < 5; ++k)
        strip.revealTick();
    strip.mouseActive(); // moves during the reveal do not put it back to the start
    strip.hide();
    EXPECT_FALSE(strip.isActive());
    EXPECT_EQ(finish(strip), 6); // 195 -> 201
    strip.hide();                // already hidden: stops at its first tick
    EXPECT_EQ(finish(strip), 1);
    strip.mouseActive();          // hovered again: reveals from 202
    EXPECT_EQ(finish(strip), 22); // 202 -> 180
    EXPECT_EQ(strip.downloadPos(), QPoint(177, 180));
    strip.mouseActive(); // shown and active: no animation
    EXPECT_FALSE(strip.isRevealing());

    // Shown, then resized: under the new bottom edge, the active flag kept.
    strip.resize(219, 199);
    EXPECT_TRUE(strip.top() == 199 && strip.isActive());
    // A running reveal continues from the new place with the new stop rule.
    strip.hide();
    strip.mouseActive();
    strip.revealTick();
    strip.resize(304, 187);
    EXPECT_TRUE(strip.infoPos() == QPoint(283, 187) && strip.isRevealing());
    EXPECT_EQ(finish(strip), 20); // 187 -> 167

    strip.reset();
    EXPECT_EQ(strip.top(), 187);
    EXPECT_FALSE(strip.isActive() || strip.isRevealing() || strip.isHiding());
}
