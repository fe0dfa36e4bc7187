#include "grid/MenuButtonLook.h"

#include <gtest/gtest.h>

namespace {
QImage buttonSurface()
{
    QImage image(41, 41, QImage::Format_ARGB32);
    image.fill(Qt::red);  // anything the painters must overwrite
    return image;
}
// The ARGB brush composited over white, as the surface shows it.
QRgb overWhite(QRgb argb)
{
    const int a = qAlpha(argb);
    auto mix = [a](int c) { return (c * a + 255 * (255 - a) + 127) / 255; };
    return qRgb(mix(qRed(argb)), mix(qGreen(argb)), mix(qBlue(argb)));
}
bool near(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) <= 1 && std::abs(qGreen(a) - qGreen(b)) <= 1
        && std::abs(qBlue(a) - qBlue(b)) <= 1;
}
} // namespace

TEST(MenuButtonLook, IdleLookIsWhiteWithThreeBars)
{
    QImage img = buttonSurface();
    MenuButtonLook::paintIdle(img);
    for (int y : {15, 21, 27}) {
        EXPECT_EQ(img.pixel(12, y) & 0xFFFFFF, 0u) << y;
        EXPECT_EQ(img.pixel(21, y) & 0xFFFFFF, 0u) << y;
        EXPECT_EQ(img.pixel(29, y) & 0xFFFFFF, 0u) << y;
    }
    EXPECT_EQ(img.pixel(21, 18), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(40, 40), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(5, 15), qRgb(255, 255, 255));  // left of the bars
}

TEST(MenuButtonLook, PointerLookDependsOnInnerRectangleAndPress)
{
    QImage img = buttonSurface();
    MenuButtonLook::paintPointer(img, 2, 2, false);  // margin: opaque light grey
    EXPECT_EQ(img.pixel(0, 0), qRgb(233, 233, 233));
    EXPECT_EQ(img.pixel(40, 40), qRgb(233, 233, 233));
    EXPECT_EQ(img.pixel(20, 21) & 0xFFFFFF, 0u);

    MenuButtonLook::paintPointer(img, 20, 20, false);  // middle: faint translucent grey
    EXPECT_TRUE(near(img.pixel(0, 0), overWhite(MenuButtonLook::kHoverInside)));
    EXPECT_NE(img.pixel(0, 0), qRgb(255, 255, 255));
    MenuButtonLook::paintPointer(img, 20, 20, true);   // pressed: a little darker
    EXPECT_TRUE(near(img.pixel(0, 0), overWhite(MenuButtonLook::kPressedInside)));
    EXPECT_LT(qRed(img.pixel(0, 0)), qRed(overWhite(MenuButtonLook::kHoverInside)));
    EXPECT_EQ(img.pixel(30, 27) & 0xFFFFFF, 0u);
}

TEST(MenuButtonLook, InsideRuleIsHalfOpenWithRoundedPoint)
{
    const QSize s(41, 41);
    EXPECT_TRUE(MenuButtonLook::isInside(s, 10, 10));
    EXPECT_FALSE(MenuButtonLook::isInside(s, 9, 20));
    EXPECT_TRUE(MenuButtonLook::isInside(s, 30, 30));
    EXPECT_FALSE(MenuButtonLook::isInside(s, 31, 20));  // right = 31 is exclusive
    EXPECT_FALSE(MenuButtonLook::isInside(s, 20, 31));
    EXPECT_TRUE(MenuButtonLook::isInside(s, 9.5f, 20));    // 9.5 -> 10
    EXPECT_TRUE(MenuButtonLook::isInside(s, 30.5f, 20));   // 30.5 -> 30 (halves to even)
    EXPECT_FALSE(MenuButtonLook::isInside(s, 20, 31.5f));  // 31.5 -> 32
    EXPECT_FALSE(MenuButtonLook::isInside(s, 8.5f, 20));   // 8.5 -> 8
}
