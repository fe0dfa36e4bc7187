#pragma once

#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QRect>

// The menu button's two looks, drawn into the button's surface: the idle look (white with three
// black bars) and the pointer look, whose background depends on whether the pointer is inside the
// button's inner rectangle and whether a button is pressed.
class MenuButtonLook
{
public:
    static constexpr int kMargin = 10;
    static constexpr QRgb kPressedInside = 0x50C8C8C8; // ARGB(80, 200, 200, 200)
    static constexpr QRgb kHoverInside = 0x32C8C8C8;   // ARGB(50, 200, 200, 200)
    static constexpr QRgb kOutside = 0xFFE9E9E9;       // ARGB(255, 233, 233, 233)

    // Clears the surface to white and draws the three bars.
    static void paintIdle(QImage& surface);
    // Clears to white, fills with the inside or outside brush, then draws the bars.
    static void paintPointer(QImage& surface, float x, float y, bool pressed);

    // The platform's point-in-rectangle rule on (left 10, top 10, right w-10, bottom h-10):
    // left and top inclusive, right and bottom exclusive; x and y rounded halves to even.
    [[nodiscard]] static bool isInside(const QSize& size, float x, float y);

private:
    static void drawBars(QImage& surface);
};
