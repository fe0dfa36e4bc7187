#include "app/LoadMoreSlide.h"

#include <gtest/gtest.h>

namespace
{
// Ticks a 41-pixel panel in a 700-pixel viewport until it rests; returns its top and the ticks.
std::pair<int, int> slide(bool shown, int top)
{
    for (int ticks = 1; ticks < 10000; ++ticks) {
        const LoadMoreSlide::Step s = LoadMoreSlide::tick(shown, top, 700, 41);
        top = s.top;
        if (s.done)
            return {top, ticks};
    }
    return {top, -1};
}
} // namespace

TEST(LoadMoreSlide, RestsFlushWithTheBottomOrJustBelowItAndReversesFromWhereItIs)
{
    EXPECT_EQ(slide(true, 700), std::make_pair(659, 21)); // 2 px a tick
    EXPECT_EQ(slide(false, 659), std::make_pair(700, 21));
    // Reversed five ticks into showing: back down from 690, where it is.
    EXPECT_EQ(slide(false, 690), std::make_pair(700, 6));
}
