#include "grid/TileStrip.h"

#include <gtest/gtest.h>

namespace {
// Runs the reveal animation until it stops; returns the number of ticks.
int runReveal(TileStrip& strip)
{
    int ticks = 0;
    while (strip.isRevealing() && ticks < 1000) {
        strip.revealTick();
        ++ticks;
    }
    return ticks;
}
int runHide(TileStrip& strip)
{
    int ticks = 0;
    while (strip.isHiding() && ticks < 1000) {
        strip.hideTick();
        ++ticks;
    }
    return ticks;
}
} // namespace

TEST(TileStrip, RestingPositionsOfRevealAndHide)
{
    TileStrip strip;
    strip.resize(219, 200);
    EXPECT_EQ(strip.top(), 200);
    EXPECT_EQ(strip.infoPos(), QPoint(219 - 21, 200));
    EXPECT_EQ(strip.downloadPos(), QPoint(219 - 42, 200));
    EXPECT_FALSE(strip.isActive());

    strip.mouseActive();
    EXPECT_TRUE(strip.isActive());
    EXPECT_TRUE(strip.isRevealing());
    EXPECT_EQ(runReveal(strip), 20);
    EXPECT_EQ(strip.top(), TileStrip::shownTop(200));
    EXPECT_EQ(strip.top(), 180);
    EXPECT_EQ(strip.downloadPos().y(), strip.infoPos().y());

    strip.hide();
    EXPECT_FALSE(strip.isActive());
    EXPECT_FALSE(strip.isRevealing());
    EXPECT_EQ(runHide(strip), 21);
    EXPECT_EQ(strip.top(), TileStrip::hiddenTop(200));
}

TEST(TileStrip, RepeatedMouseActiveDoesNotRestart)
{
    TileStrip strip;
    strip.resize(206, 199);
    strip.mouseActive();
    for (int k = 0; k < 7; ++k)
        strip.revealTick();
    EXPECT_EQ(strip.top(), 192);
    strip.mouseActive();
    strip.mouseActive();
    EXPECT_EQ(strip.top(), 192);  // not put back to the start
    EXPECT_EQ(runReveal(strip), 13);
    EXPECT_EQ(strip.top(), 179);
    strip.mouseActive();  // shown and active: stays shown, no animation
    EXPECT_FALSE(strip.isRevealing());
    EXPECT_EQ(strip.top(), 179);
}

TEST(TileStrip, HideOnHiddenStripStopsAtFirstTick)
{
    TileStrip strip;
    strip.resize(219, 200);
    strip.hide();
    EXPECT_TRUE(strip.isHiding());
    EXPECT_EQ(runHide(strip), 1);
    EXPECT_EQ(strip.top(), 201);
}

TEST(TileStrip, HideWhileRevealingReversesFromWhereItIs)
{
    TileStrip strip;
    strip.resize(219, 200);
    strip.mouseActive();
    for (int k = 0; k < 5; ++k)
        strip.revealTick();
    strip.hide();
    EXPECT_FALSE(strip.isRevealing());
    EXPECT_EQ(runHide(strip), 6);  // 195 -> 201
    // Hovered again while hiding: reveals from the current place, hide stops.
    strip.hide();
    strip.hideTick();
    EXPECT_EQ(strip.top(), 202);
    EXPECT_FALSE(strip.isHiding());
    strip.mouseActive();
    EXPECT_FALSE(strip.isHiding());
    EXPECT_EQ(runReveal(strip), 22);
    EXPECT_EQ(strip.top(), 180);
}

TEST(TileStrip, ResizePutsStripBackWhateverItsState)
{
    TileStrip strip;
    strip.resize(304, 187);
    strip.mouseActive();
    runReveal(strip);
    ASSERT_EQ(strip.top(), 167);

    // Shown, then resized: hidden position under the new height; the active flag is kept.
    strip.resize(219, 199);
    EXPECT_EQ(strip.top(), 199);
    EXPECT_EQ(strip.infoPos().x(), 198);
    EXPECT_TRUE(strip.isActive());

    // A running animation continues from the new place with the new stop rule.
    strip.hide();
    strip.mouseActive();
    strip.revealTick();
    strip.resize(219, 200);
    EXPECT_EQ(strip.top(), 200);
    EXPECT_TRUE(strip.isRevealing());
    EXPECT_EQ(runReveal(strip), 20);
    EXPECT_EQ(strip.top(), 180);

    strip.reset();
    EXPECT_EQ(strip.top(), 200);
    EXPECT_FALSE(strip.isActive() || strip.isRevealing() || strip.isHiding());
}
