#include "controls/ScrollbarInteraction.h"
#include "controls/WindowMessage.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

// Records what the rules ask of the window.
class RecordingHost : public ScrollbarHost {
public:
    QStringList calls;
    int changes = 0;
    int scrolls = 0;
    QPoint pointer;

    void invalidate() override { calls << "invalidate"; }
    void raiseChange() override { ++changes; calls << "Change"; }
    void raiseScroll() override { ++scrolls; calls << "Scroll"; }
    void startBarTimer(int id, int periodMs) override { calls << QString("start%1:%2").arg(id).arg(periodMs); }
    void stopBarTimer(int id) override { calls << QString("stop%1").arg(id); }
    QPoint pointerPosition() const override { return pointer; }
    void clear() { calls.clear(); changes = scrolls = 0; }
};

struct Bar {
    ScrollbarLayout layout;
    RecordingHost host;
    ScrollbarInteraction input{layout, host};
    explicit Bar(int height = 200) { layout.setSize(17, height); }
};

constexpr int kHeld = WindowMessage::kFlagLButton;

} // namespace

TEST(ScrollbarInteraction, HeldArrowStepsAtOnceThenRepeatsUntilTheLimit)
{
    Bar bar;
    bar.layout.setMax(3);
    bar.input.press(8, 190);
    EXPECT_EQ(bar.layout.value(), 1);
    EXPECT_EQ(bar.host.calls, (QStringList{"invalidate", "Change", "stop1", "start1:500"}));
    EXPECT_TRUE(bar.input.isPressed(ScrollPart::SecondArrow));

    bar.host.clear();
    bar.input.timerFired(1);
    EXPECT_EQ(bar.host.calls, (QStringList{"stop1", "start2:50"}));
    bar.input.timerFired(2);
    bar.input.timerFired(2);
    EXPECT_EQ(bar.layout.value(), 3);
    EXPECT_EQ(bar.host.changes, 2);
    EXPECT_FALSE(bar.host.calls.contains("stop2"));
    bar.input.timerFired(2);
    EXPECT_EQ(bar.host.calls.last(), "stop2") << "repeating stops at the limit";

    // Off the arrow: no steps, the pressed look goes, the repeat timer keeps running.
    bar.layout.setValue(0);
    bar.input.press(8, 190);
    bar.host.clear();
    bar.input.move(kHeld, 8, 100);
    EXPECT_FALSE(bar.input.isPressed(ScrollPart::SecondArrow));
    EXPECT_EQ(bar.host.calls, (QStringList{"invalidate"}));
    bar.input.timerFired(2);
    EXPECT_EQ(bar.layout.value(), 1);
    EXPECT_FALSE(bar.host.calls.contains("stop2"));
    bar.input.move(kHeld, 8, 195);
    bar.input.timerFired(2);
    EXPECT_EQ(bar.layout.value(), 2);

    bar.host.clear();
    bar.input.release();
    EXPECT_EQ(bar.host.calls, (QStringList{"stop3", "stop1", "stop2", "invalidate"}));
    EXPECT_EQ(bar.input.pressedPart(), ScrollPart::None);
    EXPECT_FALSE(bar.input.isPressed(ScrollPart::SecondArrow));
}

TEST(ScrollbarInteraction, HeldTrackPagesUpToThePointerAndResumes)
{
    Bar bar;
    bar.input.press(8, 100);    // below the thumb at 17..32
    EXPECT_EQ(bar.input.pressedPart(), ScrollPart::SecondTrack);
    EXPECT_EQ(bar.layout.value(), 10);
    bar.input.timerFired(1);
    int steps = 0;
    while (bar.input.isPressed(ScrollPart::SecondTrack) && steps < 20) {
        bar.input.timerFired(2);
        ++steps;
    }
    // The thumb (15 pixels) stops once its far edge has reached the pointer.
    EXPECT_LT(steps, 20);
    EXPECT_GE(bar.layout.thumbPosition() + bar.layout.thumbLength(), 100);
    EXPECT_LT(bar.layout.thumbPosition(), 100);
    const int stoppedAt = bar.layout.value();
    bar.input.timerFired(2);
    EXPECT_EQ(bar.layout.value(), stoppedAt);

    bar.input.move(kHeld, 8, 170);
    bar.input.timerFired(2);
    EXPECT_EQ(bar.layout.value(), stoppedAt + 10);
    EXPECT_TRUE(bar.input.isPressed(ScrollPart::SecondTrack));

    // The first segment pages down toward a pointer above the thumb.
    bar.input.release();
    bar.input.press(8, 20);
    EXPECT_EQ(bar.input.pressedPart(), ScrollPart::FirstTrack);
    EXPECT_EQ(bar.layout.value(), stoppedAt);
}

TEST(ScrollbarInteraction, ThumbDragFollowsWithinTheToleranceAndChangesOnceAtRelease)
{
    Bar bar;
    bar.input.press(8, 20);    // thumb 17..32, grabbed 3 pixels below its top
    EXPECT_EQ(bar.input.pressedPart(), ScrollPart::Thumb);
    EXPECT_EQ(bar.host.changes, 0);

    bar.input.move(kHeld, 8, 100);
    EXPECT_EQ(bar.layout.thumbPosition(), 97);
    EXPECT_EQ(bar.layout.value(), 53);    // 80 / 151 * 100 = 52.98
    EXPECT_EQ(bar.host.scrolls, 1);
    EXPECT_EQ(bar.host.changes, 0);

    bar.input.move(kHeld, 8 + 259, 100);    // beyond 250 pixels sideways
    EXPECT_EQ(bar.layout.value(), 0);
    EXPECT_EQ(bar.layout.thumbPosition(), 17);
    EXPECT_EQ(bar.host.scrolls, 2);
    bar.input.move(kHeld, 8 + 258, 100);    // just inside: the drag resumes
    EXPECT_EQ(bar.layout.value(), 53);

    bar.input.move(kHeld, 8, 224);    // 24 pixels past the end: still dragging, clamped
    EXPECT_EQ(bar.layout.value(), 100);
    EXPECT_EQ(bar.layout.thumbPosition(), 168);
    bar.input.move(kHeld, 8, 225);
    EXPECT_EQ(bar.layout.value(), 0);
    bar.input.move(kHeld, 8, -25);
    EXPECT_EQ(bar.layout.value(), 0);
    bar.input.move(kHeld, 8, 60);
    const int dropped = bar.layout.value();
    EXPECT_GT(dropped, 0);

    bar.host.clear();
    bar.input.release();
    EXPECT_EQ(bar.host.changes, 1);
    EXPECT_EQ(bar.layout.thumbPosition(), bar.layout.thumbFromValue(dropped));

    // Back where it started: no Change.
    bar.input.press(8, bar.layout.thumbPosition() + 2);
    bar.input.move(kHeld, 8, 150);
    bar.input.move(kHeld, 300, 150);
    bar.host.clear();
    bar.input.release();
    EXPECT_EQ(bar.host.changes, 0);
    EXPECT_EQ(bar.layout.value(), dropped);
}

TEST(ScrollbarInteraction, HoverHighlightsOnePartUntilThePointerLeaves)
{
    Bar bar;
    bar.input.move(0, 8, 5);
    EXPECT_TRUE(bar.input.isHot(ScrollPart::FirstArrow));
    EXPECT_EQ(bar.host.calls, (QStringList{"invalidate", "stop3", "start3:25"}));
    bar.host.clear();
    bar.input.move(0, 9, 6);
    EXPECT_TRUE(bar.host.calls.isEmpty()) << "already hot";
    bar.input.move(0, 8, 100);
    EXPECT_TRUE(bar.host.calls.isEmpty()) << "the track never gets hot";

    bar.input.move(0, 8, 20);
    EXPECT_TRUE(bar.input.isHot(ScrollPart::Thumb));
    EXPECT_FALSE(bar.input.isHot(ScrollPart::FirstArrow));

    // A modifier flag selects the held-button handling, which changes no hover state.
    bar.host.clear();
    bar.input.move(WindowMessage::kFlagShift, 8, 190);
    EXPECT_FALSE(bar.input.isHot(ScrollPart::SecondArrow));
    EXPECT_TRUE(bar.input.isHot(ScrollPart::Thumb));
    EXPECT_TRUE(bar.host.calls.isEmpty());

    bar.host.pointer = QPoint(8, 25);
    bar.input.timerFired(3);
    EXPECT_TRUE(bar.input.isHot(ScrollPart::Thumb));
    bar.host.pointer = QPoint(8, 60);
    bar.host.clear();
    bar.input.timerFired(3);
    EXPECT_FALSE(bar.input.isHot(ScrollPart::Thumb));
    EXPECT_EQ(bar.host.calls, (QStringList{"stop3", "invalidate"}));

    // Pressing a hot arrow takes its highlight away.
    bar.input.move(0, 8, 195);
    bar.input.press(8, 195);
    EXPECT_FALSE(bar.input.isHot(ScrollPart::SecondArrow));
}

TEST(ScrollbarInteraction, PressesOutsideEveryPartOnlyRecordThePointer)
{
    Bar bar(40);
    bar.input.press(8, 20);    // the filler
    EXPECT_EQ(bar.input.pressedPart(), ScrollPart::None);
    EXPECT_TRUE(bar.host.calls.isEmpty());
    EXPECT_EQ(bar.input.lastPointer(), QPoint(8, 20));

    bar.input.setChangeDelay(-3);
    bar.input.setChangeFrequency(5);
    EXPECT_EQ(bar.input.changeDelay(), 0);
    EXPECT_EQ(bar.input.changeFrequency(), 25);
    bar.input.setValue(5);
    EXPECT_EQ(bar.host.changes, 1);
    bar.input.setValue(5);
    EXPECT_EQ(bar.host.changes, 1) << "same value, no Change";
    EXPECT_EQ(bar.host.calls.count("invalidate"), 2);
}
