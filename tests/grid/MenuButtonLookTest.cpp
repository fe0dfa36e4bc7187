#include "grid/MenuButtonLook.h"

#include <gtest/gtest.h>

TEST(MenuButtonLook, IdleAndPointerLooksInsideAndOutsideTheMargin)
{
    QImage img(41, 41, QImage::Format_ARGB32);
    img.fill(Qt::red); // anything the painters must overwrite
    MenuButtonLook::paintIdle(img);
    for (int y : {15, 21, 27})
        for (int x : {12, 21, 29})
            EXPECT_EQ(img.pixel(x, y), qRgb(0, 0, 0)) << x << "," << y;
    for (QPoint p : {QPoint(21, 18), QPoint(0, 0), QPoint(40, 40), QPoint(5, 15)})
        EXPECT_EQ(img.pixel(p), qRgb(255, 255, 255)) << p.x() << "," << p.y();

    MenuButtonLook::paintPointer(img, 2, 2, false); // in the margin: opaque light grey
    EXPECT_EQ(img.pixel(0, 0), qRgb(233, 233, 233));
    EXPECT_EQ(img.pixel(40, 40), qRgb(233, 233, 233));
    EXPECT_EQ(img.pixel(20, 21), qRgb(0, 0, 0));
    // Inside: grey 200 at alpha 50 over white; pressed, at alpha 80.
    MenuButtonLook::paintPointer(img, 20, 20, false);
    EXPECT_NEAR(qRed(img.pixel(0, 0)), 244, 1);
    MenuButtonLook::paintPointer(img, 20, 20, true);
    EXPECT_NEAR(qGreen(img.pixel(0, 0)), 238, 1);

    // Left and top inclusive, right and bottom exclusive; halves round to even.
    const struct {
        float x, y;
        bool inside;
    } cases[] = {{10, 10, true},   {9, 20, false},    {30, 30, true},     {31, 20, false},  {20, 31, false},
                 {9.5f, 20, true}, {30.5f, 20, true}, {20, 31.5f, false}, {8.5f, 20, false}};
    for (const auto& c : cases)
        EXPECT_EQ(MenuButtonLook::isInside({41, 41}, c.x, c.y), c.inside) << c.x << "," << c.y;
}
