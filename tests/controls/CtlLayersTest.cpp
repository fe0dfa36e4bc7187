#include "controls/CtlLayers.h"
#include "controls/LayerList.h"
#include "controls/ucScrollbar.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr QRgb kBack = CtlLayers::kBackColor;

LayerList loaded(int count)
{
    LayerList list;
    for (int i = 0; i < count; ++i)
        list.load({QImage(), QStringLiteral("row %1").arg(i), 16, 16, 0.0, false});
    list.buildRows(LayerList::kBufferWidth);
    return list;
}

// A shown list of `count` rows.
std::unique_ptr<CtlLayers> makeList(int count, int width, int height)
{
    auto list = std::make_unique<CtlLayers>();
    list->resize(width, height);
    list->show();
    for (int i = 0; i < count; ++i)
        list->LoadImage(QImage(), QStringLiteral("i"), 16, 16);
    list->DrawLayers();
    list->RefreshDraw();
    return list;
}

void send(QWidget& widget, QEvent::Type type, QPointF at, Qt::MouseButton button = Qt::NoButton,
          Qt::MouseButtons buttons = Qt::NoButton, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QMouseEvent event(type, at, widget.mapToGlobal(at), button, buttons, modifiers);
    QApplication::sendEvent(&widget, &event);
}

// A blank spot left of the bullet in display row `row`.
QRgb rowShade(const CtlLayers& list, int row, int scroll = 0)
{
    return list.surface().pixel(5, row * 30 + 15 - scroll);
}

} // namespace

TEST(LayerListTest, TwentyLayersInReverseAndTheHitTestEdges)
{
    LayerList list = loaded(20);
    EXPECT_EQ(list.contentHeight(), 602);
    EXPECT_EQ(loaded(0).contentHeight(), 2);
    EXPECT_EQ(list.rows().back(), QRectF(0, 570, 300, 30));
    EXPECT_EQ(list.layer(list.layerOfRow(0)).caption, QStringLiteral("row 19")); // last loaded on top
    EXPECT_EQ(list.layer(list.layerOfRow(19)).caption, QStringLiteral("row 0"));
    EXPECT_EQ(list.highlightRow(), QRectF(0, 570, 300, 30)); // the bottom row before any hover
    EXPECT_EQ(std::pair(LayerList::scrollPlan(601, 602).enabled, LayerList::scrollPlan(601, 602).max),
              std::pair(true, 1));

    // point, scroll value, layer selected (-1: no row, the selection stays)
    const std::tuple<float, float, int, int> hits[] = {
        {0, 0, 0, 19},     {299, 29.4f, 0, 19}, {10, 29.6f, 0, 18}, {10, 599, 0, 0},  {10, 600, 0, -1},
        {10, 601, 0, -1}, {300, 10, 0, -1},    {-1, 10, 0, -1},    {10, -1, 0, -1}, {10, 5, 300, 9}};
    for (const auto& [x, y, scroll, layer] : hits) {
        list.setSelectedIndex(7);
        EXPECT_EQ(list.hitTest(x, y, scroll), layer >= 0) << x << "," << y;
        EXPECT_EQ(list.selectedIndex(), layer >= 0 ? layer : 7) << x << "," << y;
    }
}

TEST(LayerListTest, UpdateCleanAndRowsBuiltBeforeLaterLoads)
{
    LayerList list = loaded(3);
    const QImage picture(4, 4, QImage::Format_ARGB32);
    EXPECT_TRUE(list.update(1, picture, 32, 24, 0.5, true));
    EXPECT_TRUE(list.update(1, QImage(), 8, 8, 1.0, false)); // no image: the stored one stays
    EXPECT_EQ(std::tuple(list.layer(1).caption, list.layer(1).width, list.layer(1).image.size()),
              std::tuple(QStringLiteral("row 1"), 8, QSize(4, 4)));
    EXPECT_FALSE(list.update(3, picture, 1, 1, 1.0, true));
    EXPECT_FALSE(list.update(-1, picture, 1, 1, 1.0, true));
    EXPECT_EQ(list.layer(2).width, 16);

    // A layer loaded after the rows were built takes no part until they are rebuilt.
    list.load({QImage(), QStringLiteral("late"), 16, 16, 0.0, false});
    EXPECT_FALSE(list.hitTest(10, 95, 0));
    list.buildRows(LayerList::kBufferWidth);
    EXPECT_TRUE(list.hitTest(10, 95, 0));

    list.clear();
    EXPECT_EQ(list.count(), 0);
    EXPECT_FALSE(list.highlightRow()); // no layers: no highlight
    EXPECT_FALSE(list.hitTest(10, 10, 0));
}

TEST(CtlLayersTest, ScrollbarFollowsTheContentHeightAndRedrawsTheList)
{
    auto tall = makeList(20, 320, 602);
    EXPECT_EQ(tall->backBuffer().size(), QSize(300, 602));
    EXPECT_FALSE(tall->scrollbar()->isEnabled());

    auto shorter = makeList(20, 320, 400);
    ucScrollbar& bar = *shorter->scrollbar();
    EXPECT_TRUE(bar.isEnabled());
    EXPECT_EQ(std::pair(bar.Max(), bar.LargeChange()), std::pair(202, 202));

    // The view follows the bar's Change and Scroll at once, and so does the hit test.
    const QImage top = shorter->surface();
    bar.setValue(100);
    EXPECT_NE(shorter->surface(), top);
    send(*shorter, QEvent::MouseMove, QPointF(10, 0)); // content y 100: display row 3
    EXPECT_EQ(shorter->SelectedIndex(), 16);
    EXPECT_NE(rowShade(*shorter, 3, 100), kBack);
    const QImage before = shorter->surface();
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(8, bar.layout().thumbPosition() + 2));
    send(bar, QEvent::MouseMove, QPointF(8, 300), Qt::NoButton, Qt::LeftButton);
    EXPECT_NE(bar.Value(), 100);
    EXPECT_NE(shorter->surface(), before) << "redrawn while dragging";
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(8, 300));

    // Growing past the content disables the bar and scrolls back to the top.
    shorter->resize(320, 700);
    EXPECT_FALSE(bar.isEnabled());
    EXPECT_EQ(bar.Value(), 0);
    shorter->resize(320, 302);
    EXPECT_TRUE(bar.isEnabled());
    EXPECT_EQ(std::pair(bar.Max(), bar.LargeChange()), std::pair(300, 300));
}

TEST(CtlLayersTest, RowsDrawInReverseWithTheBottomRowHighlightedFirst)
{
    auto list = makeList(20, 320, 620);
    // Row order is checked on LayerList; here the rows reach the buffer, bullet centres first.
    EXPECT_EQ(list->backBuffer().pixel(27, 15), CtlLayers::kBulletColor);
    EXPECT_EQ(list->backBuffer().pixel(27, 585), CtlLayers::kBulletColor);

    const QRgb lit = rowShade(*list, 19);
    EXPECT_LT(qGray(lit), qGray(kBack));
    for (int row = 0; row < 19; ++row)
        ASSERT_EQ(rowShade(*list, row), kBack) << row;
    EXPECT_EQ(list->surface().pixel(5, 610), kBack); // below the content

    // Hovering the top row of 20 selects the last loaded layer.
    send(*list, QEvent::MouseMove, QPointF(10, 5));
    EXPECT_EQ(list->SelectedIndex(), 19);
    EXPECT_EQ(rowShade(*list, 0), lit);
    EXPECT_EQ(rowShade(*list, 19), kBack);

    // Writing the selection waits for the next draw; with no layers nothing is highlighted.
    list->setSelectedIndex(0);
    EXPECT_EQ(rowShade(*list, 0), lit);
    list->RefreshDraw();
    EXPECT_EQ(rowShade(*list, 19), lit);
    list->Clean();
    list->RefreshDraw(); // the stale buffer shows, but no row is highlighted
    EXPECT_EQ(rowShade(*list, 19), kBack);
}

TEST(CtlLayersTest, HeldLeftButtonFreezesTheSelectionUntilRelease)
{
    auto list = makeList(20, 320, 620);
    QSignalSpy downs(list.get(), &CtlLayers::MouseDown);
    std::vector<std::pair<bool, int>> ups; // held flag and selection seen by each MouseUp
    QObject::connect(list.get(), &CtlLayers::MouseUp, [&] { ups.emplace_back(list->isButtonHeld(), list->SelectedIndex()); });

    send(*list, QEvent::MouseButtonPress, QPointF(20, 155), Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_TRUE(list->isButtonHeld());
    EXPECT_EQ(list->SelectedIndex(), 14);
    EXPECT_EQ(downs, (QList<QVariantList>{{1, 1, 20.0f, 155.0f}}));
    const QImage pressed = list->surface();
    send(*list, QEvent::MouseMove, QPointF(20, 5), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(list->SelectedIndex(), 14);
    EXPECT_EQ(list->surface(), pressed);
    send(*list, QEvent::MouseButtonRelease, QPointF(20, 5), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(ups, (std::vector<std::pair<bool, int>>{{false, 14}})); // the pressed row is the one chosen
    send(*list, QEvent::MouseMove, QPointF(20, 5));
    EXPECT_EQ(list->SelectedIndex(), 19);

    // Another button hit-tests but does not freeze.
    send(*list, QEvent::MouseButtonPress, QPointF(20, 65), Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(list->SelectedIndex(), 17);
    send(*list, QEvent::MouseMove, QPointF(20, 5), Qt::NoButton, Qt::RightButton);
    EXPECT_EQ(list->SelectedIndex(), 19);
}
