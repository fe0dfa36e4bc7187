#include "controls/ScrollbarLayout.h"

#include <gtest/gtest.h>

namespace {

ScrollbarLayout vertical(int height, int width = 17)
{
    ScrollbarLayout layout;
    layout.setSize(width, height);
    return layout;
}

} // namespace

TEST(ScrollbarLayout, ShortBarsSplitButtonsAndUseTheFiller)
{
    const ScrollbarLayout at20 = vertical(20);
    EXPECT_EQ(at20.rect(ScrollPart::FirstArrow), (WinRect{0, 0, 17, 10}));
    EXPECT_EQ(at20.rect(ScrollPart::SecondArrow), (WinRect{0, 10, 17, 20}));
    EXPECT_FALSE(at20.trackVisible());
    EXPECT_FALSE(at20.fillerVisible());
    EXPECT_TRUE(at20.rect(ScrollPart::Thumb).isEmpty());

    const ScrollbarLayout at21 = vertical(21);
    EXPECT_EQ(at21.rect(ScrollPart::FirstArrow), (WinRect{0, 0, 17, 10}));
    EXPECT_EQ(at21.rect(ScrollPart::SecondArrow), (WinRect{0, 11, 17, 21}));
    EXPECT_TRUE(at21.fillerVisible());
    EXPECT_EQ(at21.filler(), (WinRect{0, 10, 17, 11}));

    const ScrollbarLayout at40 = vertical(40);
    EXPECT_EQ(at40.rect(ScrollPart::FirstArrow), (WinRect{0, 0, 17, 17}));
    EXPECT_EQ(at40.rect(ScrollPart::SecondArrow), (WinRect{0, 23, 17, 40}));
    EXPECT_EQ(at40.filler(), (WinRect{0, 17, 17, 23}));
    EXPECT_FALSE(at40.trackVisible());
    EXPECT_TRUE(at40.rect(ScrollPart::FirstTrack).isEmpty());
    EXPECT_EQ(at40.hitTest(8, 20), ScrollPart::None) << "the filler is never hit";

    const ScrollbarLayout at42 = vertical(42);
    EXPECT_TRUE(at42.trackVisible());
    EXPECT_FALSE(at42.fillerVisible());
    EXPECT_EQ(at42.trackLength(), 8);
    EXPECT_EQ(at42.thumbLength(), 8) << "never shorter than 8";
    EXPECT_EQ(at42.rect(ScrollPart::Thumb), (WinRect{0, 17, 17, 25}));
}

TEST(ScrollbarLayout, FullBarThumbLengthPositionAndSegments)
{
    ScrollbarLayout layout = vertical(200);
    EXPECT_EQ(layout.trackLength(), 166);
    EXPECT_EQ(layout.thumbLength(), 15);
    EXPECT_EQ(layout.rect(ScrollPart::Thumb), (WinRect{0, 17, 17, 32}));
    EXPECT_TRUE(layout.rect(ScrollPart::FirstTrack).isEmpty());
    EXPECT_EQ(layout.rect(ScrollPart::SecondTrack), (WinRect{0, 32, 17, 183}));

    // 151 pixels of room over a range of 100: 75.5 rounds to the even 76.
    EXPECT_TRUE(layout.setValue(50));
    EXPECT_EQ(layout.thumbPosition(), 17 + 76);
    EXPECT_EQ(layout.rect(ScrollPart::FirstTrack), (WinRect{0, 17, 17, 93}));
    EXPECT_EQ(layout.rect(ScrollPart::SecondTrack), (WinRect{0, 108, 17, 183}));
    layout.setValue(100);
    EXPECT_EQ(layout.rect(ScrollPart::Thumb), (WinRect{0, 168, 17, 183}));

    // More pixels than values: every value survives a trip through its thumb position.
    for (int v = 0; v <= 100; ++v)
        ASSERT_EQ(layout.valueFromThumb(layout.thumbFromValue(v)), v) << v;

    EXPECT_EQ(layout.hitTest(0, 0), ScrollPart::FirstArrow);
    EXPECT_EQ(layout.hitTest(16, 199), ScrollPart::SecondArrow);
    EXPECT_EQ(layout.hitTest(17, 100), ScrollPart::None) << "right edge is exclusive";
    EXPECT_EQ(layout.hitTest(5, 170), ScrollPart::Thumb);
    EXPECT_EQ(layout.hitTest(5, 100), ScrollPart::FirstTrack);
    EXPECT_EQ(layout.dragTolerance(), (WinRect{-250, -25, 267, 225}));
}

TEST(ScrollbarLayout, HorizontalBarExchangesTheAxes)
{
    ScrollbarLayout layout;
    layout.setOrientation(1);
    layout.setSize(200, 17);
    EXPECT_EQ(layout.rect(ScrollPart::FirstArrow), (WinRect{0, 0, 17, 17}));
    EXPECT_EQ(layout.rect(ScrollPart::SecondArrow), (WinRect{183, 0, 200, 17}));
    layout.setValue(100);
    EXPECT_EQ(layout.rect(ScrollPart::Thumb), (WinRect{168, 0, 183, 17}));
    EXPECT_EQ(layout.dragTolerance(), (WinRect{-25, -250, 225, 267}));
    EXPECT_EQ(layout.along(3, 9), 3);

    layout.setSize(21, 17);
    EXPECT_EQ(layout.filler(), (WinRect{10, 0, 11, 17}));
    layout.setOrientation(7);
    EXPECT_EQ(layout.orientation(), 1);
}

TEST(ScrollbarLayout, LimitsAndStepsAreClamped)
{
    ScrollbarLayout layout = vertical(200);
    layout.setLargeChange(200);
    EXPECT_EQ(layout.thumbLength(), 166) << "a page above the range fills the track";
    EXPECT_EQ(layout.valueFromThumb(17), 0) << "no room to move gives Min";
    layout.setLargeChange(-4);
    EXPECT_EQ(layout.largeChange(), 1);
    layout.setSmallChange(0);
    EXPECT_EQ(layout.smallChange(), 1);

    layout.setValue(80);
    layout.setMax(50);
    EXPECT_EQ(layout.value(), 50);
    layout.setMax(-10);
    EXPECT_EQ(layout.max(), 0) << "Max never drops below Min";
    EXPECT_EQ(layout.value(), 0);
    EXPECT_EQ(layout.thumbPosition(), 17) << "a zero range parks the thumb at the track start";
    layout.setMin(30);
    EXPECT_EQ(layout.min(), 0) << "Min never rises above Max";

    layout.setMax(10);
    layout.setValue(9);
    EXPECT_TRUE(layout.stepUp(5));
    EXPECT_EQ(layout.value(), 10);
    EXPECT_FALSE(layout.stepUp(1));
    EXPECT_TRUE(layout.stepDown(100));
    EXPECT_EQ(layout.value(), 0);
    EXPECT_FALSE(layout.setValue(-5));

    // Extreme limits do not overflow.
    layout.load(INT_MIN, INT_MAX, 0, 1, INT_MAX, 0, true);
    EXPECT_TRUE(layout.stepUp(INT_MAX));
    EXPECT_EQ(layout.value(), INT_MAX);
    EXPECT_GE(layout.thumbPosition(), layout.trackStart());
    EXPECT_LE(layout.thumbPosition() + layout.thumbLength(), layout.trackEnd());
}

TEST(ScrollbarLayout, WithoutButtonsTheTrackSpansTheBar)
{
    ScrollbarLayout layout = vertical(200);
    layout.setShowButtons(false);
    EXPECT_TRUE(layout.rect(ScrollPart::FirstArrow).isEmpty());
    EXPECT_EQ(layout.trackStart(), 0);
    EXPECT_EQ(layout.trackEnd(), 200);
    EXPECT_EQ(layout.thumbLength(), 200 / 11);
    EXPECT_EQ(layout.hitTest(5, 1), ScrollPart::Thumb);

    // Persisted values are held to the same rules.
    layout.load(50, 10, 99, 0, 0, 3, true);
    EXPECT_EQ(layout.min(), 50);
    EXPECT_EQ(layout.max(), 50);
    EXPECT_EQ(layout.value(), 50);
    EXPECT_EQ(layout.smallChange(), 1);
    EXPECT_EQ(layout.largeChange(), 1);
    EXPECT_EQ(layout.orientation(), 1);
}
