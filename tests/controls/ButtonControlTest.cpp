#include "controls/ButtonControl.h"
#include "controls/ButtonHover.h"
#include "platform/PropertyBag.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString kLongCaption = QStringLiteral("Download every selected icon now");

void moveTo(QWidget& widget, QPointF at)
{
    QMouseEvent move(QEvent::MouseMove, at, widget.mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &move);
}

// The bottom and right edges of the pixels darker than the button face: the caption's ink.
QPoint inkExtent(const QImage& surface)
{
    QPoint extent(-1, -1);
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x)
            if (qGray(surface.pixel(x, y)) < 128)
                extent = QPoint(std::max(extent.x(), x), y);
    return extent;
}

} // namespace

TEST(ButtonControlTest, HoverZoneIsInsetTwoPixelsLeadingAndFourTrailing)
{
    // x, y inside a 100 x 30 button; halves round to the even neighbour
    const std::tuple<float, float, bool> points[] = {
        {1, 10, false}, {10, 1, false},     {2, 2, true},   {95, 25, true},
        {96, 10, false}, {10, 26, false}, {1.5f, 2.5f, true}, {95.5f, 10, false}};
    for (const auto& [x, y, inside] : points)
        EXPECT_EQ(ButtonHover::contains(100, 30, x, y), inside) << x << "," << y;
    EXPECT_FALSE(ButtonHover::contains(5, 5, 2, 2)) << "a button too small has no zone";
}

TEST(ButtonControlTest, PointerDarkensInsideTheZoneOnlyAndHoverUsesTheControlWidth)
{
    ButtonControl button;
    button.resize(400, 60);
    button.setButtonText(kLongCaption);
    const QImage resting = button.surface();
    const QRgb face = resting.pixel(399, 59);
    const QPoint wrapped = inkExtent(resting);
    EXPECT_LE(wrapped.x(), 10 + 180); // the caption wraps within 180
    ASSERT_GT(wrapped.y(), 0);

    moveTo(button, QPointF(2, 2));
    const QImage shaded = button.surface();
    EXPECT_LT(qGray(shaded.pixel(399, 59)), qGray(face)); // faintly darker everywhere
    EXPECT_GT(qGray(shaded.pixel(399, 59)), qGray(face) - 8);
    // Laid out in the full 400 pixels the caption fits on one line: less deep, wider.
    EXPECT_LT(inkExtent(shaded).y(), wrapped.y());
    EXPECT_GT(inkExtent(shaded).x(), 10 + 180);
    moveTo(button, QPointF(396, 30)); // outside the zone (its edges are checked above)
    EXPECT_EQ(button.surface().pixel(399, 59), face);

    // Writing the caption redraws at once, unshaded, with layout width 180.
    moveTo(button, QPointF(20, 20));
    button.setButtonText(kLongCaption);
    EXPECT_EQ(button.surface(), resting);
    button.setButtonText(QString());
    EXPECT_EQ(inkExtent(button.surface()), QPoint(-1, -1));

    QSignalSpy released(&button, &ButtonControl::MouseUp);
    QTest::mouseRelease(&button, Qt::RightButton, Qt::ShiftModifier, QPoint(5, 6));
    ASSERT_EQ(released.count(), 1);
    EXPECT_EQ(released[0], (QVariantList{2, 1, 5.0f, 6.0f}));
    QTest::mouseRelease(&button, Qt::LeftButton, Qt::ControlModifier | Qt::AltModifier, QPoint(1, 2));
    ASSERT_EQ(released.count(), 2);
    EXPECT_EQ(released[1], (QVariantList{1, 6, 1.0f, 2.0f}));
}

TEST(ButtonControlTest, ColourTextIsANumberOrRejected)
{
    ButtonControl button;
    EXPECT_TRUE(button.setButtonColor(QStringLiteral("255")));
    EXPECT_EQ(button.ButtonColor(), QStringLiteral("255"));
    for (const char* bad : {"red", "12abc", "", " ", "99999999999", "&HXYZ", "&H123456789"}) {
        EXPECT_FALSE(button.setButtonColor(QString::fromLatin1(bad))) << bad;
        EXPECT_EQ(button.ButtonColor(), QStringLiteral("255")) << bad;
    }
    // accepted text, stored as; halves go to the even neighbour
    const std::pair<const char*, const char*> good[] = {
        {" -16 ", "-16"}, {"&HFF00", "65280"}, {"&HFFFFFFFF", "-1"}, {"2.5", "2"}, {"3.5", "4"}};
    for (const auto& [text, stored] : good) {
        EXPECT_TRUE(button.setButtonColor(QString::fromLatin1(text))) << text;
        EXPECT_EQ(button.ButtonColor(), QString::fromLatin1(stored)) << text;
    }
}

TEST(ButtonControlTest, PropertyBagAlwaysHoldsBothKeys)
{
    ButtonControl source, copy;
    source.resize(100, 30);
    copy.resize(100, 30);
    PropertyBag defaults;
    source.WriteProperties(defaults);
    EXPECT_EQ(defaults.keys(), (QStringList{"CAP", "COR"})) << "both written at their defaults too";

    source.setButtonText(QStringLiteral("Save & Close"));
    ASSERT_TRUE(source.setButtonColor(QStringLiteral("4210752")));
    PropertyBag bag;
    source.WriteProperties(bag);
    copy.ReadProperties(bag);
    EXPECT_EQ(std::pair(copy.ButtonText(), copy.ButtonColor()), std::pair(source.ButtonText(), QStringLiteral("4210752")));
    EXPECT_EQ(copy.surface(), source.surface());

    PropertyBag broken;
    broken.write(QStringLiteral("COR"), QStringLiteral("not a number"));
    copy.ReadProperties(broken);
    EXPECT_EQ(std::pair(copy.ButtonText(), copy.ButtonColor()), std::pair(QString(), QStringLiteral("4210752")));
}
