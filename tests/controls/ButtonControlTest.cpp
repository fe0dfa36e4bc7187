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

// Lowest row holding a pixel darker than the button face: the bottom of the caption's ink.
int inkBottom(const QImage& surface)
{
    int bottom = -1;
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x)
            if (qGray(surface.pixel(x, y)) < 128)
                bottom = y;
    return bottom;
}

int inkRight(const QImage& surface)
{
    int right = -1;
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x)
            if (qGray(surface.pixel(x, y)) < 128)
                right = std::max(right, x);
    return right;
}

} // namespace

TEST(ButtonControlTest, HoverZoneIsInsetTwoPixelsLeadingAndFourTrailing)
{
    EXPECT_FALSE(ButtonHover::contains(100, 30, 1, 1));
    EXPECT_FALSE(ButtonHover::contains(100, 30, 1, 10));
    EXPECT_FALSE(ButtonHover::contains(100, 30, 10, 1));
    EXPECT_TRUE(ButtonHover::contains(100, 30, 2, 2));
    EXPECT_TRUE(ButtonHover::contains(100, 30, 95, 25));
    EXPECT_FALSE(ButtonHover::contains(100, 30, 96, 10)); // within 4 pixels of the right edge
    EXPECT_FALSE(ButtonHover::contains(100, 30, 10, 26)); // within 4 pixels of the bottom edge
    EXPECT_TRUE(ButtonHover::contains(100, 30, 1.5f, 2.5f));  // both round to 2
    EXPECT_FALSE(ButtonHover::contains(100, 30, 95.5f, 10)); // rounds to 96
    EXPECT_FALSE(ButtonHover::contains(5, 5, 2, 2));          // a button too small has no zone
}

TEST(ButtonControlTest, PointerDarkensInsideTheZoneOnlyAndHoverUsesTheControlWidth)
{
    ButtonControl button;
    button.resize(400, 60);
    button.setButtonText(kLongCaption);
    const QImage resting = button.surface();
    ASSERT_EQ(resting.size(), QSize(400, 60));
    const QRgb face = resting.pixel(399, 59);
    const int wrappedBottom = inkBottom(resting);
    EXPECT_LE(inkRight(resting), 10 + 180); // the caption wraps within 180
    ASSERT_GT(wrappedBottom, 0);

    moveTo(button, QPointF(2, 2));
    const QImage shaded = button.surface();
    EXPECT_NE(shaded.pixel(399, 59), face);
    EXPECT_LT(qGray(shaded.pixel(399, 59)), qGray(face)); // faintly darker everywhere
    EXPECT_GT(qGray(shaded.pixel(399, 59)), qGray(face) - 8);
    // Laid out in the full 400 pixels the caption fits on one line: less deep, wider.
    EXPECT_LT(inkBottom(shaded), wrappedBottom);
    EXPECT_GT(inkRight(shaded), 10 + 180);

    moveTo(button, QPointF(1, 1));
    EXPECT_EQ(button.surface().pixel(399, 59), face);
    moveTo(button, QPointF(396, 30));
    EXPECT_EQ(button.surface().pixel(399, 59), face);
    moveTo(button, QPointF(200, 56));
    EXPECT_EQ(button.surface().pixel(399, 59), face);

    // Writing the caption redraws at once, unshaded, with layout width 180.
    moveTo(button, QPointF(20, 20));
    button.setButtonText(kLongCaption);
    EXPECT_EQ(button.surface(), resting);
    button.setButtonText(QString());
    EXPECT_EQ(inkBottom(button.surface()), -1);
}

TEST(ButtonControlTest, ReleaseRaisesMouseUpWithItsArguments)
{
    ButtonControl button;
    button.resize(120, 30);
    QSignalSpy released(&button, &ButtonControl::MouseUp);
    QTest::mouseRelease(&button, Qt::RightButton, Qt::ShiftModifier, QPoint(5, 6));
    ASSERT_EQ(released.count(), 1);
    EXPECT_EQ(released[0][0].toInt(), 2);
    EXPECT_EQ(released[0][1].toInt(), 1);
    EXPECT_EQ(released[0][2].toFloat(), 5.0f);
    EXPECT_EQ(released[0][3].toFloat(), 6.0f);
    QTest::mouseRelease(&button, Qt::LeftButton, Qt::ControlModifier | Qt::AltModifier, QPoint(1, 2));
    ASSERT_EQ(released.count(), 2);
    EXPECT_EQ(released[1][0].toInt(), 1);
    EXPECT_EQ(released[1][1].toInt(), 6);
}

TEST(ButtonControlTest, ColourTextIsANumberOrRejected)
{
    ButtonControl button;
    EXPECT_EQ(button.ButtonColor(), QStringLiteral("0"));
    EXPECT_TRUE(button.setButtonColor(QStringLiteral("255")));
    EXPECT_EQ(button.ButtonColor(), QStringLiteral("255"));

    for (const char* bad : {"red", "12abc", "", " ", "99999999999", "&HXYZ", "&H123456789"}) {
        EXPECT_FALSE(button.setButtonColor(QString::fromLatin1(bad))) << bad;
        EXPECT_EQ(button.ButtonColor(), QStringLiteral("255")) << bad;
    }
    EXPECT_TRUE(button.setButtonColor(QStringLiteral(" -16 ")));
    EXPECT_EQ(button.ButtonColor(), QStringLiteral("-16"));
    EXPECT_TRUE(button.setButtonColor(QStringLiteral("&HFF00")));
    EXPECT_EQ(button.ButtonColor(), QStringLiteral("65280"));
    EXPECT_TRUE(button.setButtonColor(QStringLiteral("&HFFFFFFFF")));
    EXPECT_EQ(button.ButtonColor(), QStringLiteral("-1"));
    EXPECT_TRUE(button.setButtonColor(QStringLiteral("2.5"))); // halves go to the even neighbour
    EXPECT_EQ(button.ButtonColor(), QStringLiteral("2"));
    EXPECT_TRUE(button.setButtonColor(QStringLiteral("3.5")));
    EXPECT_EQ(button.ButtonColor(), QStringLiteral("4"));
}

TEST(ButtonControlTest, PropertyBagAlwaysHoldsBothKeys)
{
    ButtonControl source;
    source.resize(100, 30);
    PropertyBag defaults;
    source.WriteProperties(defaults);
    EXPECT_EQ(defaults.size(), 2);
    EXPECT_EQ(defaults.read(QStringLiteral("CAP"), QStringLiteral("?")).toString(), QString());
    EXPECT_EQ(defaults.read(QStringLiteral("COR"), -5).toInt(), 0);

    source.setButtonText(QStringLiteral("Save & Close"));
    ASSERT_TRUE(source.setButtonColor(QStringLiteral("4210752")));
    PropertyBag bag;
    source.WriteProperties(bag);
    ButtonControl copy;
    copy.resize(100, 30);
    copy.ReadProperties(bag);
    EXPECT_EQ(copy.ButtonText(), QStringLiteral("Save & Close"));
    EXPECT_EQ(copy.ButtonColor(), QStringLiteral("4210752"));
    EXPECT_EQ(copy.surface(), source.surface());

    PropertyBag broken;
    broken.write(QStringLiteral("COR"), QStringLiteral("not a number"));
    ButtonControl kept;
    ASSERT_TRUE(kept.setButtonColor(QStringLiteral("9")));
    kept.ReadProperties(broken);
    EXPECT_EQ(kept.ButtonColor(), QStringLiteral("9"));
    EXPECT_EQ(kept.ButtonText(), QString());
}
