#include "controls/CtlLayers.h"
#include "controls/ucScrollbar.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr QRgb kBack = CtlLayers::kBackColor;

// A shown list of `count` rows; layer 0 has a long caption so its row is recognisable by its ink.
std::unique_ptr<CtlLayers> makeList(int count, int width, int height)
{
    auto list = std::make_unique<CtlLayers>();
    list->resize(width, height);
    list->show();
    for (int i = 0; i < count; ++i)
        list->LoadImage(QImage(), i == 0 ? QStringLiteral("WWWWWWWWWWWWWW") : QStringLiteral("i"), 16, 16);
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

void hover(QWidget& widget, QPointF at)
{
    send(widget, QEvent::MouseMove, at);
}

// Rightmost dark (caption) pixel of a band of rows, or -1.
int inkRight(const QImage& image, int top, int bottom)
{
    int right = -1;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 150)
                right = std::max(right, x);
    return right;
}

// A blank spot left of the bullet in display row `row`.
QRgb rowShade(const CtlLayers& list, int row, int scroll = 0)
{
    return list.surface().pixel(5, row * 30 + 15 - scroll);
}

} // namespace

TEST(CtlLayersTest, ScrollbarFollowsTheContentHeightOfTwentyRows)
{
    auto tall = makeList(20, 320, 602);
    EXPECT_EQ(tall->backBuffer().size(), QSize(300, 602));
    EXPECT_FALSE(tall->scrollbar()->isEnabled());
    EXPECT_EQ(tall->scrollbar()->Value(), 0);
    EXPECT_EQ(tall->scrollbar()->geometry(), QRect(320 - 17, 0, 17, 602));

    auto shorter = makeList(20, 320, 400);
    ucScrollbar& bar = *shorter->scrollbar();
    EXPECT_TRUE(bar.isEnabled());
    EXPECT_EQ(bar.Max(), 202);
    EXPECT_EQ(bar.LargeChange(), 202);

    // The view follows the bar's value, and so does the hit test.
    const QImage top = shorter->surface();
    bar.setValue(100);
    EXPECT_NE(shorter->surface(), top);
    hover(*shorter, QPointF(10, 0)); // content y 100: display row 3
    EXPECT_EQ(shorter->SelectedIndex(), 16);
    EXPECT_NE(rowShade(*shorter, 3, 100), kBack);

    // Growing past the content disables the bar and scrolls back to the top.
    shorter->resize(320, 700);
    EXPECT_FALSE(bar.isEnabled());
    EXPECT_EQ(bar.Value(), 0);
    EXPECT_EQ(bar.geometry(), QRect(320 - 17, 0, 17, 700));
    shorter->resize(320, 302);
    EXPECT_TRUE(bar.isEnabled());
    EXPECT_EQ(bar.Max(), 300);
    EXPECT_EQ(bar.LargeChange(), 300);
}

TEST(CtlLayersTest, RowsDrawInReverseWithTheBottomRowHighlightedFirst)
{
    auto list = makeList(20, 320, 620);
    const QImage& buffer = list->backBuffer();
    // Layer 0, loaded first, is the bottom row: its long caption is the widest ink.
    EXPECT_GT(inkRight(buffer, 570, 600), inkRight(buffer, 0, 570) + 40);
    EXPECT_EQ(buffer.pixel(27, 15), CtlLayers::kBulletColor);  // bullet centre of the top row
    EXPECT_EQ(buffer.pixel(27, 585), CtlLayers::kBulletColor); // and of the bottom row
    EXPECT_EQ(buffer.pixel(5, 601), kBack);

    EXPECT_EQ(list->SelectedIndex(), 0);
    const QRgb lit = rowShade(*list, 19);
    EXPECT_NE(lit, kBack);
    EXPECT_LT(qGray(lit), qGray(kBack));
    for (int row = 0; row < 19; ++row)
        ASSERT_EQ(rowShade(*list, row), kBack) << row;
    EXPECT_EQ(list->surface().pixel(5, 610), kBack); // below the content

    // Hovering the top row of 20 selects the last loaded layer.
    hover(*list, QPointF(10, 5));
    EXPECT_EQ(list->SelectedIndex(), 19);
    EXPECT_EQ(rowShade(*list, 0), lit);
    EXPECT_EQ(rowShade(*list, 19), kBack);
}

TEST(CtlLayersTest, PointsOffTheRowsLeaveTheSelection)
{
    auto list = makeList(20, 340, 620);
    hover(*list, QPointF(10, 599));
    EXPECT_EQ(list->SelectedIndex(), 0);
    hover(*list, QPointF(10, 100));
    EXPECT_EQ(list->SelectedIndex(), 16);
    for (QPointF off : {QPointF(10, 600), QPointF(10, 601), QPointF(300, 100), QPointF(310, 5), QPointF(10, 615)}) {
        hover(*list, off);
        EXPECT_EQ(list->SelectedIndex(), 16) << off.x() << "," << off.y();
    }
    EXPECT_NE(rowShade(*list, 3), kBack); // the highlight stays on the last row hit
}

TEST(CtlLayersTest, HeldLeftButtonFreezesTheSelectionUntilRelease)
{
    auto list = makeList(20, 320, 620);
    QSignalSpy downs(list.get(), &CtlLayers::MouseDown);
    QSignalSpy moves(list.get(), &CtlLayers::MouseMove);
    QSignalSpy ups(list.get(), &CtlLayers::MouseUp);
    bool heldAtRelease = true;
    int selectedAtRelease = -1;
    QObject::connect(list.get(), &CtlLayers::MouseUp, [&] {
        heldAtRelease = list->isButtonHeld();
        selectedAtRelease = list->SelectedIndex();
    });

    send(*list, QEvent::MouseButtonPress, QPointF(20, 155), Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_TRUE(list->isButtonHeld());
    EXPECT_EQ(list->SelectedIndex(), 14);
    ASSERT_EQ(downs.count(), 1);
    EXPECT_EQ(downs[0][0].toInt(), 1);
    EXPECT_EQ(downs[0][1].toInt(), 1);
    EXPECT_EQ(downs[0][2].toFloat(), 20.0f);
    EXPECT_EQ(downs[0][3].toFloat(), 155.0f);

    const QImage pressed = list->surface();
    send(*list, QEvent::MouseMove, QPointF(20, 5), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(list->SelectedIndex(), 14);
    EXPECT_EQ(list->surface(), pressed);
    ASSERT_EQ(moves.count(), 1);
    EXPECT_EQ(moves[0][0].toInt(), 1);

    send(*list, QEvent::MouseButtonRelease, QPointF(20, 5), Qt::LeftButton, Qt::NoButton);
    ASSERT_EQ(ups.count(), 1);
    EXPECT_FALSE(heldAtRelease);
    EXPECT_EQ(selectedAtRelease, 14); // the pressed row is the one chosen
    EXPECT_EQ(ups[0][0].toInt(), 1);

    hover(*list, QPointF(20, 5));
    EXPECT_EQ(list->SelectedIndex(), 19);

    // Another button hit-tests but does not freeze.
    send(*list, QEvent::MouseButtonPress, QPointF(20, 65), Qt::RightButton, Qt::RightButton);
    EXPECT_FALSE(list->isButtonHeld());
    EXPECT_EQ(list->SelectedIndex(), 17);
    send(*list, QEvent::MouseMove, QPointF(20, 5), Qt::NoButton, Qt::RightButton);
    EXPECT_EQ(list->SelectedIndex(), 19);
    EXPECT_EQ(downs[1][0].toInt(), 2);
}

TEST(CtlLayersTest, SelectionWritesAndLoadsWaitForTheNextDraw)
{
    auto list = makeList(5, 320, 300);
    const QImage before = list->surface();
    list->setSelectedIndex(4);
    EXPECT_EQ(list->SelectedIndex(), 4);
    EXPECT_EQ(list->surface(), before);
    list->RefreshDraw();
    EXPECT_NE(list->surface(), before);
    EXPECT_NE(rowShade(*list, 0), kBack);

    const QImage drawn = list->surface();
    list->LoadImage(QImage(), QStringLiteral("late"), 16, 16, 0.5, true);
    EXPECT_EQ(list->layers().count(), 6);
    EXPECT_EQ(list->surface(), drawn);
    EXPECT_EQ(list->backBuffer().height(), 152);

    EXPECT_TRUE(list->UpdateImage(QImage(), 24, 24, 5, 1.0, false));
    EXPECT_EQ(list->layers().layer(5).width, 24);
    EXPECT_EQ(list->layers().layer(5).caption, QStringLiteral("late"));
    EXPECT_FALSE(list->UpdateImage(QImage(), 24, 24, 6));
    EXPECT_FALSE(list->UpdateImage(QImage(), 24, 24, -1));

    list->isHorll(true);
    EXPECT_TRUE(list->isHorizontal());
    EXPECT_EQ(list->surface(), drawn);
}

TEST(CtlLayersTest, NoLayersMeansNoHighlight)
{
    CtlLayers fresh;
    fresh.resize(320, 200);
    fresh.show();
    fresh.RefreshDraw(); // before any DrawLayers
    const QImage& plain = fresh.surface();
    for (int y = 0; y < plain.height(); y += 7)
        for (int x = 0; x < plain.width(); x += 7)
            ASSERT_EQ(plain.pixel(x, y), kBack) << x << "," << y;

    fresh.DrawLayers();
    fresh.RefreshDraw();
    EXPECT_EQ(fresh.backBuffer().size(), QSize(300, 2));
    EXPECT_EQ(fresh.surface(), plain);
    hover(fresh, QPointF(10, 1));
    EXPECT_EQ(fresh.SelectedIndex(), 0);

    auto list = makeList(3, 320, 200);
    list->Clean();
    EXPECT_EQ(list->layers().count(), 0);
    EXPECT_EQ(list->surface(), plain);
    list->RefreshDraw(); // the stale buffer shows, but no row is highlighted
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(rowShade(*list, row), kBack) << row;
}
