#include "controls/ButtonHover.h"
#include "controls/CaptionButton.h"
#include "controls/LayerList.h"
#include "controls/LayerListWidget.h"
#include "controls/Scrollbar.h"
#include "controls/TextDraw.h"
#include "platform/PropertyBag.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace
{

constexpr QRgb kBack = LayerListWidget::kBackColor;

// A shown list of `count` rows.
std::unique_ptr<LayerListWidget> makeList(int count, int width, int height)
{
    auto list = std::make_unique<LayerListWidget>();
    list->resize(width, height);
    list->show();
    for (int i = 0; i < count; ++i)
        list->addLayer(QImage(), QStringLiteral("i"), 16, 16);
    list->drawLayers();
    list->redraw();
    return list;
}

void send(QWidget& widget, QEvent::Type type, QPointF at, Qt::MouseButton button = Qt::NoButton,
          Qt::MouseButtons buttons = Qt::NoButton, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QMouseEvent event(type, at, widget.mapToGlobal(at), button, buttons, modifiers);
    QApplication::sendEvent(&widget, &event);
}

// A blank spot left of the bullet in display row `row`.
QRgb rowShade(const LayerListWidget& list, int row, int scroll = 0)
{
    return list.surface().pixel(5, row * 30 + 15 - scroll);
}

const QString kLongCaption = QStringLiteral("Download every selected icon now");

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kRed = 0xFFC00000;
constexpr QRgb kShade = 0xFF373737; // ARGB(200, 0, 0, 0) over white

struct Drawn {
    QImage image;
    QRectF box;
};

// `text` drawn in red at (10, 8) on a white picture wide enough for one unwrapped caption.
Drawn draw(const QString& text, int layoutWidth, bool clearType = true, bool shadow = false, int style = 0)
{
    Drawn d{QImage(700, 160, QImage::Format_ARGB32), {}};
    d.image.fill(kWhite);
    d.box = TextDraw::drawText(&d.image, text, 10, 8, QStringLiteral("Arial"), 9, kRed, style, shadow,
                               layoutWidth, clearType);
    return d;
}

// Bounding box and count of the pixels for which `keep` holds; by default those not white.
std::pair<QRect, int> ink(const QImage& image, const std::function<bool(QRgb)>& keep = {})
{
    QRect box;
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (keep ? keep(image.pixel(x, y)) : image.pixel(x, y) != kWhite)
                box |= QRect(x, y, 1, 1), ++count;
    return {box, count};
}

// Pixels within blending's rounding of one colour.
std::function<bool(QRgb)> near(QRgb c)
{
    return [c](QRgb p) {
        return std::abs(qRed(p) - qRed(c)) <= 2 && std::abs(qGreen(p) - qGreen(c)) <= 2 &&
               std::abs(qBlue(p) - qBlue(c)) <= 2 && qAlpha(p) == qAlpha(c);
    };
}

} // namespace

// The hits show the reverse order (last loaded on top); content height and the first highlight
// show in the LayerListWidget tests below.
TEST(LayerListTest, HitTestEdgesScrollPlanAndUpdatesInRange)
{
    LayerList list;
    for (int i = 0; i < 20; ++i)
        list.load({QImage(), QStringLiteral("row %1").arg(i), 16, 16, 0.0, false});
    list.buildRows(LayerList::kBufferWidth);
    EXPECT_EQ(std::pair(LayerList::scrollPlan(601, 602).enabled, LayerList::scrollPlan(601, 602).max),
              std::pair(true, 1));
    // point, scroll value, layer selected (-1: no row, the selection stays)
    const std::tuple<float, float, int, int> hits[] = {
        {0, 0, 0, 19},    {299, 29.4f, 0, 19}, {10, 29.6f, 0, 18}, {10, 599, 0, 0}, {10, 600, 0, -1},
        {10, 601, 0, -1}, {300, 10, 0, -1},    {-1, 10, 0, -1},    {10, -1, 0, -1}, {10, 5, 300, 9}};
    for (const auto& [x, y, scroll, layer] : hits) {
        list.setSelectedIndex(7);
        EXPECT_EQ(list.hitTest(x, y, scroll), layer >= 0) << x << "," << y;
        EXPECT_EQ(list.selectedIndex(), layer >= 0 ? layer : 7) << x << "," << y;
    }

    const QImage picture(4, 4, QImage::Format_ARGB32);
    EXPECT_TRUE(list.update(1, picture, 32, 24, 0.5, true));
    EXPECT_TRUE(list.update(1, QImage(), 8, 8, 1.0, false)); // no image: the stored one stays
    EXPECT_EQ(std::tuple(list.layer(1).caption, list.layer(1).width, list.layer(1).image.size()),
              std::tuple(QStringLiteral("row 1"), 8, QSize(4, 4)));
    for (int outside : {20, -1})
        EXPECT_FALSE(list.update(outside, picture, 1, 1, 1.0, true)) << outside;
    list.clear();
    EXPECT_FALSE(list.hitTest(10, 10, 0));
}

TEST(LayerListWidgetTest, ScrollbarFollowsTheContentHeightAndRedrawsTheList)
{
    // (Where exactly the content stops fitting is the scroll plan's edge, checked above.)
    auto shorter = makeList(20, 320, 400);
    Scrollbar& bar = *shorter->scrollbar();
    EXPECT_EQ(std::tuple(bar.isEnabled(), bar.maximum(), bar.largeChange()), std::tuple(true, 202, 202));

    // The view follows the bar's valueChanged and scrolled at once, and so does the hit test.
    const QImage top = shorter->surface();
    bar.setValue(100);
    EXPECT_NE(shorter->surface(), top);
    send(*shorter, QEvent::MouseMove, QPointF(10, 0)); // content y 100: display row 3
    EXPECT_EQ(shorter->selectedIndex(), 16);
    EXPECT_NE(rowShade(*shorter, 3, 100), kBack);
    const QImage before = shorter->surface();
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(8, bar.layout().thumbPosition() + 2));
    send(bar, QEvent::MouseMove, QPointF(8, 300), Qt::NoButton, Qt::LeftButton);
    EXPECT_NE(shorter->surface(), before) << "redrawn while dragging";
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(8, 300));

    // Growing past the content disables the bar and scrolls back to the top.
    shorter->resize(320, 700);
    EXPECT_EQ(std::pair(bar.isEnabled(), bar.value()), std::pair(false, 0));
    shorter->resize(320, 302);
    EXPECT_EQ(std::tuple(bar.isEnabled(), bar.maximum(), bar.largeChange()), std::tuple(true, 300, 300));
}

TEST(LayerListWidgetTest, RowsDrawInReverseTheBottomOneLitAndAHeldButtonFreezesTheSelection)
{
    auto list = makeList(20, 320, 620);
    // The rows reach the buffer, bullet centres first.
    EXPECT_EQ(list->backBuffer().pixel(27, 15), LayerListWidget::kBulletColor);
    EXPECT_EQ(list->backBuffer().pixel(27, 585), LayerListWidget::kBulletColor);

    const QRgb lit = rowShade(*list, 19);
    EXPECT_LT(qGray(lit), qGray(kBack));
    for (int row = 0; row < 19; ++row)
        ASSERT_EQ(rowShade(*list, row), kBack) << row;
    EXPECT_EQ(list->surface().pixel(5, 610), kBack); // below the content

    // Hovering the top row of 20 selects the last loaded layer.
    send(*list, QEvent::MouseMove, QPointF(10, 5));
    EXPECT_EQ(list->selectedIndex(), 19);
    EXPECT_EQ(std::pair(rowShade(*list, 0), rowShade(*list, 19)), std::pair(lit, kBack));

    // Writing the selection waits for the next draw.
    list->setSelectedIndex(0);
    EXPECT_EQ(rowShade(*list, 0), lit);
    list->redraw();
    EXPECT_EQ(rowShade(*list, 19), lit);

    // A held left button freezes the selection until its release.
    QSignalSpy downs(list.get(), &LayerListWidget::mousePressed);
    std::vector<std::pair<bool, int>> ups; // held flag and selection seen by each mouseReleased
    QObject::connect(list.get(), &LayerListWidget::mouseReleased,
                     [&] { ups.emplace_back(list->isButtonHeld(), list->selectedIndex()); });

    send(*list, QEvent::MouseButtonPress, QPointF(20, 155), Qt::LeftButton, Qt::LeftButton,
         Qt::ShiftModifier);
    EXPECT_EQ(list->selectedIndex(), 14);
    EXPECT_EQ(downs, (QList<QVariantList>{{1, 1, 20.0f, 155.0f}}));
    const QImage pressed = list->surface();
    send(*list, QEvent::MouseMove, QPointF(20, 5), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(list->selectedIndex(), 14);
    EXPECT_EQ(list->surface(), pressed);
    send(*list, QEvent::MouseButtonRelease, QPointF(20, 5), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(ups, (std::vector<std::pair<bool, int>>{{false, 14}})); // the pressed row is the one chosen
    send(*list, QEvent::MouseMove, QPointF(20, 5));
    EXPECT_EQ(list->selectedIndex(), 19);

    // Another button hit-tests but does not freeze.
    send(*list, QEvent::MouseButtonPress, QPointF(20, 65), Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(list->selectedIndex(), 17);
    send(*list, QEvent::MouseMove, QPointF(20, 5), Qt::NoButton, Qt::RightButton);
    EXPECT_EQ(list->selectedIndex(), 19);

    list->clear();
    list->redraw(); // the stale buffer shows, but no row is highlighted
    EXPECT_EQ(rowShade(*list, 19), kBack);
}

TEST(CaptionButtonTest, HoverZoneIsInsetTwoPixelsLeadingAndFourTrailing)
{
    // x, y inside a 100 x 30 button; halves round to the even neighbour
    const std::tuple<float, float, bool> points[] = {{1, 10, false},     {10, 1, false},    {2, 2, true},
                                                     {95, 25, true},     {96, 10, false},   {10, 26, false},
                                                     {1.5f, 2.5f, true}, {95.5f, 10, false}};
    for (const auto& [x, y, inside] : points)
        EXPECT_EQ(ButtonHover::contains(100, 30, x, y), inside) << x << "," << y;
    EXPECT_FALSE(ButtonHover::contains(5, 5, 2, 2)) << "a button too small has no zone";
}

TEST(CaptionButtonTest, PointerDarkensInsideTheZoneOnlyAndHoverUsesTheControlWidth)
{
    CaptionButton button;
    button.resize(400, 60);
    button.setButtonText(kLongCaption);
    const QImage resting = button.surface();
    const QRgb face = resting.pixel(399, 59);
    // Where the pixels darker than the button face lie: the caption's ink.
    const auto darkInk = [](const QImage& surface) {
        return ink(surface, [](QRgb p) { return qGray(p) < 128; }).first;
    };
    const QRect wrapped = darkInk(resting);
    ASSERT_TRUE(wrapped.isValid());
    EXPECT_LE(wrapped.right(), 10 + 180); // the caption wraps within 180

    send(button, QEvent::MouseMove, QPointF(2, 2));
    const QImage shaded = button.surface();
    EXPECT_LT(qGray(shaded.pixel(399, 59)), qGray(face)); // faintly darker everywhere
    EXPECT_GT(qGray(shaded.pixel(399, 59)), qGray(face) - 8);
    // Laid out in the full 400 pixels the caption fits on one line.
    EXPECT_GT(darkInk(shaded).right(), 10 + 180);
    send(button, QEvent::MouseMove, QPointF(396, 30)); // outside the zone (its edges are checked above)
    EXPECT_EQ(button.surface().pixel(399, 59), face);

    // Writing the caption redraws at once, unshaded, with layout width 180.
    send(button, QEvent::MouseMove, QPointF(20, 20));
    button.setButtonText(kLongCaption);
    EXPECT_EQ(button.surface(), resting);

    QSignalSpy released(&button, &CaptionButton::mouseReleased);
    QTest::mouseRelease(&button, Qt::LeftButton, Qt::ControlModifier | Qt::AltModifier, QPoint(1, 2));
    EXPECT_EQ(released, (QList<QVariantList>{{1, 6, 1.0f, 2.0f}})); // button, shift flags, x, y
}

TEST(CaptionButtonTest, ColourTextIsANumberOrRejected)
{
    CaptionButton button;
    // accepted text, stored as; halves go to the even neighbour
    const std::pair<const char*, const char*> good[] = {{" -16 ", "-16"},     {"&HFF00", "65280"},
                                                        {"&HFFFFFFFF", "-1"}, {"2.5", "2"},
                                                        {"3.5", "4"},         {"255", "255"}};
    for (const auto& [text, stored] : good) {
        EXPECT_TRUE(button.setButtonColor(QString::fromLatin1(text))) << text;
        EXPECT_EQ(button.buttonColor(), QString::fromLatin1(stored)) << text;
    }
    for (const char* bad : {"red", "12abc", "", " ", "99999999999", "&HXYZ", "&H123456789"}) {
        EXPECT_FALSE(button.setButtonColor(QString::fromLatin1(bad))) << bad;
        EXPECT_EQ(button.buttonColor(), QStringLiteral("255")) << bad;
    }
}

TEST(CaptionButtonTest, PropertyBagAlwaysHoldsBothKeys)
{
    CaptionButton source, copy;
    source.resize(100, 30);
    copy.resize(100, 30);
    PropertyBag defaults;
    source.writeProperties(defaults);
    EXPECT_EQ(defaults.keys(), (QStringList{"CAP", "COR"})) << "both written at their defaults too";

    source.setButtonText(QStringLiteral("Save & Close"));
    ASSERT_TRUE(source.setButtonColor(QStringLiteral("4210752")));
    PropertyBag bag;
    source.writeProperties(bag);
    copy.readProperties(bag);
    EXPECT_EQ(std::pair(copy.buttonText(), copy.buttonColor()),
              std::pair(source.buttonText(), QStringLiteral("4210752")));
    EXPECT_EQ(copy.surface(), source.surface());

    PropertyBag broken;
    broken.write(QStringLiteral("COR"), QStringLiteral("not a number"));
    copy.readProperties(broken);
    EXPECT_EQ(std::pair(copy.buttonText(), copy.buttonColor()),
              std::pair(QString(), QStringLiteral("4210752")));
}

TEST(TextDrawTest, WrapsDownwardWithinTheWidthDrawsOneBitOrBlendedAndShadowsOnePixelBelow)
{
    const QString caption = QStringLiteral("Computer & Hardware Icons for every desk, office and workshop");
    const qreal line = draw(QStringLiteral("Computer"), 200).box.height();

    const Drawn wrapped = draw(caption, 200);
    EXPECT_EQ(wrapped.box.topLeft(), QPointF(10, 8));
    const int lines = qRound(wrapped.box.height() / line);
    EXPECT_GE(lines, 2);
    EXPECT_DOUBLE_EQ(wrapped.box.height(), lines * line); // whole lines, no height limit
    EXPECT_LT(ink(wrapped.image).first.right(), 10 + 200);
    EXPECT_GT(ink(wrapped.image).first.bottom(), 8 + (lines - 1) * line); // ink on the last line

    // No limit: one long line past the width.
    const Drawn unwrapped = draw(caption, 0);
    EXPECT_DOUBLE_EQ(unwrapped.box.height(), line);
    EXPECT_GT(ink(unwrapped.image).first.right(), 10 + 200);

    // A single word wider than the width breaks between characters instead of running over.
    const Drawn word = draw(QStringLiteral("Supercalifragilisticexpialidocious"), 60);
    EXPECT_GT(word.box.height(), line);
    EXPECT_LT(ink(word.image).first.right(), 10 + 60);

    // The single-bit hint draws only the text colour; ClearType blends.
    const auto partial = [](QRgb p) { return p != kWhite && p != kRed; };
    const QImage oneBit = draw(QStringLiteral("Shopping Icons"), 200, false).image;
    EXPECT_EQ(ink(oneBit, partial).second, 0);
    EXPECT_GT(ink(oneBit).second, 20);
    EXPECT_GT(ink(draw(QStringLiteral("Shopping Icons"), 200, true).image, partial).second, 10);
    // Ampersands are text; bold changes the glyphs.
    EXPECT_GT(ink(draw(QStringLiteral("&"), 200).image).second, 10);
    EXPECT_GT(
        ink(draw(QStringLiteral("Music Icons"), 200, false, false, TextDraw::FontStyleBold).image).second,
        ink(draw(QStringLiteral("Music Icons"), 200, false).image).second);

    // The shadow sits one pixel below the text and blends.
    const QImage image = draw(QStringLiteral("Game Icons"), 200, false, true).image;
    const QRect text = ink(image, near(kRed)).first;
    const QRect shade = ink(image, near(kShade)).first;
    EXPECT_EQ(shade.bottomLeft(), text.bottomLeft() + QPoint(0, 1));
    // See-through one-bit text blends with what lies below instead of punching its alpha in.
    EXPECT_EQ(ink(image, [](QRgb p) { return qAlpha(p) != 255; }).second, 0);

    const QImage plain = draw(QStringLiteral("Game Icons"), 200, false, false).image;
    EXPECT_FALSE(ink(plain, near(kShade)).first.isValid());
    EXPECT_EQ(ink(plain, near(kRed)).first, text.translated(0, 1)); // without a shadow the text is not raised
}
