#include "app/LoadMoreSlide.h"

#include <gtest/gtest.h>

namespace {
// Runs ticks until the panel rests; returns the resting top and the number of ticks.
std::pair<int, int> slide(bool shown, int top, int viewport, int panel)
{
    for (int ticks = 1; ticks < 10000; ++ticks) {
        const LoadMoreSlide::Step s = LoadMoreSlide::tick(shown, top, viewport, panel);
        top = s.top;
        if (s.done)
            return {top, ticks};
    }
    return {top, -1};
}
} // namespace

TEST(LoadMoreSlide, RestsFlushWithTheBottomOrJustBelowIt)
{
    // 41-pixel panel in a 700-pixel viewport: in from 700 to 659, 2 px a tick.
    EXPECT_EQ(slide(true, 700, 700, 41), std::make_pair(659, 21));
    EXPECT_EQ(slide(false, 659, 700, 41), std::make_pair(700, 21));
    // Already at rest: one tick overshoots and snaps back.
    EXPECT_EQ(slide(true, 659, 700, 41).first, 659);
}

TEST(LoadMoreSlide, ReversesFromWhereItIs)
{
    int top = 700;
    for (int i = 0; i < 5; ++i)
        top = LoadMoreSlide::tick(true, top, 700, 41).top;
    EXPECT_EQ(top, 690);
    const LoadMoreSlide::Step back = LoadMoreSlide::tick(false, top, 700, 41);
    EXPECT_EQ(back.top, 692);
    EXPECT_FALSE(back.done);
    EXPECT_EQ(slide(false, top, 700, 41), std::make_pair(700, 6));
}
