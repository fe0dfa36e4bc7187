#include "controls/AccessibleLayerList.h"
#include "controls/FocusMark.h"
#include "controls/LayerListWidget.h"
#include "controls/ListKeys.h"
#include "controls/Scrollbar.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

TEST(FocusMark, StandsOutFromEverySurfaceItIsDrawnOn)
{
    // White tiles and buttons, the grey category list, its highlight, the green search button
    // and Load More panel.
    for (const QRgb surface : {qRgb(255, 255, 255), qRgb(245, 245, 245), qRgb(232, 232, 232),
                               qRgb(73, 192, 132), qRgb(199, 240, 194)})
        EXPECT_GE(FocusMark::contrast(FocusMark::kColour, surface), FocusMark::kMinimumContrast) << surface;
    EXPECT_NEAR(FocusMark::contrast(qRgb(0, 0, 0), qRgb(255, 255, 255)), 21.0, 1e-9);
}

TEST(ListKeys, MoveTheSelectionByRowsShownInReverse)
{
    // 20 layers: layer 19 is the top row.
    EXPECT_EQ(ListKeys::target(Qt::Key_Up, 0, 20), 1);
    EXPECT_EQ(ListKeys::target(Qt::Key_Up, 19, 20), 19);
    EXPECT_EQ(ListKeys::target(Qt::Key_Down, 0, 20), 0);
    EXPECT_EQ(ListKeys::target(Qt::Key_Down, 7, 20), 6);
    EXPECT_EQ(ListKeys::target(Qt::Key_Home, 3, 20), 19);
    EXPECT_EQ(ListKeys::target(Qt::Key_End, 3, 20), 0);
    EXPECT_EQ(ListKeys::target(Qt::Key_Down, 40, 20), 18); // a selection out of range is pulled in
    EXPECT_EQ(ListKeys::target(Qt::Key_Up, 0, 0), std::nullopt);
    EXPECT_EQ(ListKeys::target(Qt::Key_A, 0, 20), std::nullopt);
    EXPECT_TRUE(ListKeys::isActivation(Qt::Key_Space));
    EXPECT_FALSE(ListKeys::isActivation(Qt::Key_Tab));
}

namespace
{
QAccessibleInterface* layerListFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("LayerListWidget"))
        return new AccessibleLayerList(static_cast<LayerListWidget*>(object));
    return nullptr;
}

// A list shorter than its 20 rows, as on a small screen: the keys must scroll it.
struct ShortList {
    LayerListWidget list;
    ShortList()
    {
        QAccessible::installFactory(layerListFactory);
        for (int i = 0; i < 20; ++i)
            list.addLayer(QImage(), QStringLiteral("Row %1").arg(i), 16, 16);
        list.resize(249, 200);
        list.drawLayers();
        list.redraw();
        list.setFocusPolicy(Qt::TabFocus);
        list.show();
    }
    ~ShortList() { QAccessible::removeFactory(layerListFactory); }
    // The keyboard focus, as the window's Tab order gives it.
    void focus()
    {
        list.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&list));
        list.setFocus();
        ASSERT_TRUE(list.hasFocus());
    }
};

int markPixels(const QImage& image, int row, int scroll)
{
    int count = 0;
    for (int x = 0; x < image.width(); ++x)
        count += image.pixel(x, 30 * row - scroll + 1) == FocusMark::kColour;
    return count;
}
} // namespace

TEST(LayerListWidgetKeys, KeysMoveTheMarkedRowScrollItIntoViewAndChooseIt)
{
    ShortList s;
    s.focus();
    ASSERT_FALSE(HasFatalFailure());
    LayerListWidget& list = s.list;
    QSignalSpy releases(&list, &LayerListWidget::mouseReleased);
    // The first key from the bottom row's selection (layer 0) goes up a row.
    QTest::keyClick(&list, Qt::Key_Up);
    EXPECT_EQ(list.selectedIndex(), 1);
    QTest::keyClick(&list, Qt::Key_Home);
    EXPECT_EQ(list.selectedIndex(), 19);
    EXPECT_EQ(list.scrollbar()->value(), 0);
    EXPECT_GT(markPixels(list.surface(), 0, 0), 100) << "the top row carries the focus mark";

    QTest::keyClick(&list, Qt::Key_End);
    EXPECT_EQ(list.selectedIndex(), 0);
    const int scroll = list.scrollbar()->value();
    EXPECT_EQ(scroll, 602 - 2 - 200) << "the bottom row is scrolled just into view";
    EXPECT_GT(markPixels(list.surface(), 19, scroll), 100);
    EXPECT_EQ(markPixels(list.surface(), 18, scroll), 0) << "one row marked";

    QTest::keyClick(&list, Qt::Key_Space);
    QTest::keyClick(&list, Qt::Key_Down); // already the bottom row
    QTest::keyClick(&list, Qt::Key_Up);
    QTest::keyClick(&list, Qt::Key_Return);
    ASSERT_EQ(releases.size(), 2);
    EXPECT_EQ(releases[0][0].toInt(), 1) << "a left-button release";
    EXPECT_EQ(list.selectedIndex(), 1);

    list.clearFocus();
    EXPECT_EQ(markPixels(list.surface(), 18, list.scrollbar()->value()), 0) << "no mark without focus";
}

TEST(LayerListWidgetKeys, ScreenReadersSeeTheRowsInViewOrderWithTheSelectedOneMarked)
{
    ShortList s;
    s.focus();
    ASSERT_FALSE(HasFatalFailure());
    QAccessibleInterface& iface = *QAccessible::queryAccessibleInterface(&s.list);
    ASSERT_EQ(iface.childCount(), 20);
    EXPECT_EQ(iface.role(), QAccessible::List);
    EXPECT_EQ(iface.child(0)->text(QAccessible::Name), "Row 19");
    EXPECT_EQ(iface.child(19)->text(QAccessible::Name), "Row 0");
    EXPECT_EQ(iface.child(3), iface.child(3)) << "one interface per row";
    EXPECT_EQ(iface.indexOfChild(iface.child(7)), 7);

    s.list.selectLayer(17); // row 2
    for (int row = 0; row < 20; ++row) {
        const QAccessible::State state = iface.child(row)->state();
        EXPECT_EQ(bool(state.selected), row == 2) << row;
        EXPECT_TRUE(state.selectable);
    }
    EXPECT_EQ(iface.focusChild(), iface.child(2));
    EXPECT_TRUE(iface.child(2)->state().focused);
    EXPECT_TRUE(iface.child(15)->state().offscreen) << "below the 200-pixel view";

    QSignalSpy releases(&s.list, &LayerListWidget::mouseReleased);
    iface.child(4)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(s.list.selectedIndex(), 15);
    EXPECT_EQ(releases.size(), 1);
}
