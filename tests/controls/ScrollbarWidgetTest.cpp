#include "support/WaitFor.h"
#include "controls/ucScrollbar.h"
#include "platform/PropertyBag.h"

#include <gtest/gtest.h>

#include <QCursor>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

// The pointer rules themselves are covered on ScrollbarInteraction; these tests prove the
// widget's wiring: real timers, Qt events and signals.

namespace {

void sendMove(QWidget* widget, QPoint at, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = {})
{
    QMouseEvent move(QEvent::MouseMove, QPointF(at), widget->mapToGlobal(QPointF(at)), Qt::NoButton, buttons,
                     modifiers);
    QCoreApplication::sendEvent(widget, &move);
}

constexpr int kGenerous = 5000;

} // namespace

TEST(ScrollbarWidget, TimersSignalsAndPointerWiring)
{
    ucScrollbar bar;
    bar.resize(17, 200);
    bar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
    QSignalSpy changes(&bar, &ucScrollbar::Change);
    bar.setValue(80);
    bar.setValue(80);
    bar.setMax(50);
    EXPECT_EQ(bar.Value(), 50);
    EXPECT_EQ(changes.count(), 1) << "same value, and Max below Value, raise no Change";

    // Held arrow: one step at once, the repeat after the delay, stopping at the limit.
    bar.setMax(5);
    bar.setValue(0);
    changes.clear();
    QElapsedTimer clock;
    clock.start();
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(8, 190));
    EXPECT_EQ(bar.Value(), 1);
    EXPECT_EQ(changes.count(), 1);
    WAIT_EQ(bar.Value(), 2, kGenerous);
    EXPECT_GE(clock.elapsed(), 500) << "no repeat before the delay";
    WAIT_EQ(bar.Value(), 5, kGenerous);
    WAIT_UNTIL(!bar.isBarTimerActive(2), kGenerous);
    EXPECT_EQ(changes.count(), 5);
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(8, 190));
    // A double-click is a second press; other buttons do not press.
    bar.setValue(0);
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(8, 190));
    QTest::mouseDClick(&bar, Qt::LeftButton, {}, QPoint(8, 190));
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(8, 190));
    QTest::mousePress(&bar, Qt::RightButton, {}, QPoint(8, 190));
    EXPECT_EQ(bar.Value(), 2);

    // Off the arrow the repeat timer runs without stepping; release stops it.
    bar.setValue(0);
    bar.setChangeDelay(0);
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(8, 190));
    sendMove(&bar, QPoint(8, 100), Qt::LeftButton);
    WAIT_UNTIL(bar.isBarTimerActive(2), kGenerous);
    const int value = bar.Value();
    // Let several repeat periods pass, observed through the event loop rather than a sleep.
    QElapsedTimer idle;
    idle.start();
    WAIT_UNTIL(idle.elapsed() > 200, kGenerous);
    EXPECT_EQ(bar.Value(), value);
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(8, 100));
    EXPECT_FALSE(bar.isBarTimerActive(2));

    // A drag raises Scroll; disabling the bar mid-drag ends it.
    QSignalSpy scrolls(&bar, &ucScrollbar::Scroll);
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(8, bar.layout().thumbPosition() + 1));
    sendMove(&bar, QPoint(8, 150), Qt::LeftButton);
    EXPECT_EQ(scrolls.count(), 1);
    bar.setEnabled(false);
    EXPECT_EQ(bar.interaction().pressedPart(), ScrollPart::None);
    bar.setEnabled(true);

    // Shift held: no hover. The hover watch drops the highlight once the pointer has left.
    sendMove(&bar, QPoint(8, 5), Qt::NoButton, Qt::ShiftModifier);
    EXPECT_FALSE(bar.interaction().isHot(ScrollPart::FirstArrow));
    QCursor::setPos(bar.mapToGlobal(QPoint(8, 5)));
    sendMove(&bar, QPoint(8, 5), Qt::NoButton);
    EXPECT_TRUE(bar.interaction().isHot(ScrollPart::FirstArrow));
    EXPECT_TRUE(bar.isBarTimerActive(3));
    QCursor::setPos(bar.mapToGlobal(QPoint(8, 150)));
    WAIT_UNTIL(!bar.interaction().isHot(ScrollPart::FirstArrow), kGenerous);
    EXPECT_FALSE(bar.isBarTimerActive(3));
}

TEST(ScrollbarWidget, PersistenceKeepsOnlyValuesOffTheirDefaults)
{
    ucScrollbar bar;
    PropertyBag empty;
    bar.WriteProperties(empty);
    EXPECT_EQ(empty.size(), 0);

    bar.setScrollStyle(1);
    bar.setMax(500);
    bar.setValue(7);
    bar.setChangeFrequency(80);
    bar.setShowButtons(false);
    bar.setEnabled(false);
    PropertyBag bag;
    bar.WriteProperties(bag);
    QStringList keys = bag.keys();
    keys.sort();
    EXPECT_EQ(keys, (QStringList{"ChangeFrequency", "Enabled", "Max", "ShowButtons", "Style", "Value"}));

    ucScrollbar loaded;
    loaded.ReadProperties(bag);
    EXPECT_EQ(std::tuple(loaded.ScrollStyle(), loaded.Max(), loaded.Value(), loaded.ChangeFrequency(),
                         loaded.ShowButtons(), loaded.isEnabled()),
              std::tuple(1, 500, 7, 80, false, false));

    // Read values are clamped (the value limits as in ScrollbarModelTest); missing keys take defaults.
    PropertyBag hostile;
    hostile.write("Style", 9);
    hostile.write("ChangeFrequency", 1);
    loaded.ReadProperties(hostile);
    EXPECT_EQ(std::tuple(loaded.ScrollStyle(), loaded.ChangeFrequency(), loaded.Max(), loaded.isEnabled()),
              std::tuple(3, 25, 100, true));
}
