#include "controls/ucScrollbar.h"
#include "platform/PropertyBag.h"
#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <QCursor>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>

namespace {

// A shown 17 x 200 bar, so that its size notifications have run.
struct ShownBar {
    ucScrollbar bar;
    explicit ShownBar(QSize size = {17, 200})
    {
        bar.resize(size);
        bar.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&bar));
    }
};

void sendMove(QWidget* widget, QPoint at, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(at), widget->mapToGlobal(QPointF(at)), Qt::NoButton,
                     buttons, modifiers);
    QCoreApplication::sendEvent(widget, &move);
}

constexpr int kGenerous = 5000;

struct PressCounter : QWidget {
    int presses = 0;
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};

} // namespace

TEST(ScrollbarWidget, HeldArrowRepeatsAfterTheDelayAndStopsAtTheLimit)
{
    ShownBar shown;
    ucScrollbar& bar = shown.bar;
    bar.setMax(5);
    QSignalSpy changes(&bar, &ucScrollbar::Change);
    QElapsedTimer clock;
    clock.start();
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(8, 190));
    EXPECT_EQ(bar.Value(), 1) << "one step at once";
    EXPECT_EQ(changes.count(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(bar.Value(), 2, kGenerous);
    EXPECT_GE(clock.elapsed(), 500) << "no repeat before the delay";
    QTRY_COMPARE_WITH_TIMEOUT(bar.Value(), 5, kGenerous);
    QTRY_VERIFY_WITH_TIMEOUT(!bar.isBarTimerActive(2), kGenerous);
    EXPECT_EQ(changes.count(), 5);
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(8, 190));
    EXPECT_FALSE(bar.interaction().isPressed(ScrollPart::SecondArrow));

    // Off the arrow the repeat timer runs without stepping.
    bar.setValue(0);
    bar.setChangeDelay(0);
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(8, 190));
    sendMove(&bar, QPoint(8, 100), Qt::LeftButton, {});
    QTRY_VERIFY_WITH_TIMEOUT(bar.isBarTimerActive(2), kGenerous);
    const int value = bar.Value();
    QSignalSpy moreChanges(&bar, &ucScrollbar::Change);
    // Let several repeat periods pass, observed through the event loop rather than a sleep.
    QElapsedTimer idle;
    idle.start();
    QTRY_VERIFY_WITH_TIMEOUT(idle.elapsed() > 200, kGenerous);
    EXPECT_EQ(bar.Value(), value);
    EXPECT_EQ(moreChanges.count(), 0);
    EXPECT_TRUE(bar.isBarTimerActive(2));
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(8, 100));
    EXPECT_FALSE(bar.isBarTimerActive(2));
}

TEST(ScrollbarWidget, ThumbDragScrollsAndChangesOnceAtRelease)
{
    ShownBar shown;
    ucScrollbar& bar = shown.bar;
    QSignalSpy scrolls(&bar, &ucScrollbar::Scroll);
    QSignalSpy changes(&bar, &ucScrollbar::Change);
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(8, 20));
    sendMove(&bar, QPoint(8, 100), Qt::LeftButton, {});
    EXPECT_EQ(bar.Value(), 53);
    sendMove(&bar, QPoint(300, 100), Qt::LeftButton, {});
    EXPECT_EQ(bar.Value(), 0);
    sendMove(&bar, QPoint(8, 120), Qt::LeftButton, {});
    EXPECT_EQ(scrolls.count(), 3);
    EXPECT_EQ(changes.count(), 0);
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(8, 120));
    EXPECT_EQ(changes.count(), 1);

    // Disabling the bar mid-drag ends the drag.
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(8, bar.layout().thumbPosition() + 1));
    EXPECT_EQ(bar.interaction().pressedPart(), ScrollPart::Thumb);
    bar.setEnabled(false);
    EXPECT_EQ(bar.interaction().pressedPart(), ScrollPart::None);
}

TEST(ScrollbarWidget, HoverWatchAndModifierMoves)
{
    ShownBar shown;
    ucScrollbar& bar = shown.bar;
    sendMove(&bar, QPoint(8, 5), Qt::NoButton, Qt::ShiftModifier);
    EXPECT_FALSE(bar.interaction().isHot(ScrollPart::FirstArrow)) << "Shift held: no hover";

    QCursor::setPos(bar.mapToGlobal(QPoint(8, 5)));
    sendMove(&bar, QPoint(8, 5), Qt::NoButton, {});
    EXPECT_TRUE(bar.interaction().isHot(ScrollPart::FirstArrow));
    EXPECT_TRUE(bar.isBarTimerActive(3));
    QCursor::setPos(bar.mapToGlobal(QPoint(8, 150)));
    QTRY_VERIFY_WITH_TIMEOUT(!bar.interaction().isHot(ScrollPart::FirstArrow), kGenerous);
    EXPECT_FALSE(bar.isBarTimerActive(3));
}

TEST(ScrollbarWidget, DoubleClickIsASecondPressAndPointerInputStaysWithTheBar)
{
    PressCounter host;
    host.resize(60, 220);
    ucScrollbar* bar = new ucScrollbar(&host);
    bar->setGeometry(0, 0, 17, 200);
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(8, 190));
    QTest::mouseDClick(bar, Qt::LeftButton, {}, QPoint(8, 190));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(8, 190));
    EXPECT_EQ(bar->Value(), 2);
    EXPECT_EQ(host.presses, 0);

    // Only left-button presses are the bar's; others travel on to the host.
    bar->setValue(0);
    QTest::mousePress(bar, Qt::RightButton, {}, QPoint(8, 190));
    EXPECT_EQ(bar->Value(), 0) << "only the left button presses";
    EXPECT_EQ(host.presses, 1);
}

TEST(ScrollbarWidget, PersistenceKeepsOnlyValuesOffTheirDefaults)
{
    ucScrollbar fresh;
    PropertyBag empty;
    fresh.WriteProperties(empty);
    EXPECT_EQ(empty.size(), 0);
    EXPECT_EQ(fresh.Max(), 100);
    EXPECT_EQ(fresh.LargeChange(), 10);
    EXPECT_EQ(fresh.ChangeDelay(), 500);
    EXPECT_EQ(fresh.ChangeFrequency(), 50);

    ucScrollbar bar;
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
    EXPECT_EQ(loaded.ScrollStyle(), 1);
    EXPECT_EQ(loaded.Max(), 500);
    EXPECT_EQ(loaded.Value(), 7);
    EXPECT_EQ(loaded.ChangeFrequency(), 80);
    EXPECT_FALSE(loaded.ShowButtons());
    EXPECT_FALSE(loaded.isEnabled());

    PropertyBag hostile;
    hostile.write("Min", 40);
    hostile.write("Max", 10);
    hostile.write("Value", -3);
    hostile.write("LargeChange", 0);
    hostile.write("Style", 9);
    hostile.write("ChangeFrequency", 1);
    loaded.ReadProperties(hostile);
    EXPECT_EQ(loaded.Max(), 40);
    EXPECT_EQ(loaded.Value(), 40);
    EXPECT_EQ(loaded.LargeChange(), 1);
    EXPECT_EQ(loaded.ScrollStyle(), 3);
    EXPECT_EQ(loaded.ChangeFrequency(), 25);
    EXPECT_TRUE(loaded.isEnabled());
}

TEST(ScrollbarWidget, AboutBoxAndThemeChange)
{
    ScriptedDialogs dialogs;
    ucScrollbar bar;
    bar.About();
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_TRUE(dialogs.asked[0].startsWith("inform:About|ucScrollbar 1.0.3\n")) << dialogs.asked[0].toStdString();

    // Headless, the bar is not themed and does not listen for theme changes.
    EXPECT_FALSE(bar.IsXP());
    QSignalSpy headless(&bar, &ucScrollbar::ThemeChanged);
    std::unique_ptr<QStyle> windows(QStyleFactory::create("Windows"));
    bar.setStyle(windows.get());
    EXPECT_EQ(headless.count(), 0);

    qputenv("PICTOMINE_THEMED", "1");
    ucScrollbar themed;
    qunsetenv("PICTOMINE_THEMED");
    EXPECT_TRUE(themed.IsXP());
    EXPECT_TRUE(themed.IsThemed());
    QSignalSpy changed(&themed, &ucScrollbar::ThemeChanged);
    themed.setStyle(windows.get());
    EXPECT_EQ(changed.count(), 1);
    EXPECT_FALSE(themed.IsThemed()) << "re-detected: headless again without the override";
    themed.setStyle(nullptr);
    bar.setStyle(nullptr);
}
