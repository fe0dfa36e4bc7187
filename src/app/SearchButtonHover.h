#pragma once

#include <QRgb>
#include <QSize>

// The search button's hover rule: under the pointer the whole button is shaded black at alpha 20,
// while the pointer, rounded to whole pixels, lies inside (10, 5, width - 10, height - 5) (left
// and top inclusive, right and bottom exclusive).
class SearchButtonHover
{
public:
    static constexpr QRgb kShade = 0x14000000; // ARGB(20, 0, 0, 0)
    static constexpr int kMarginX = 10;
    static constexpr int kMarginY = 5;

    [[nodiscard]] static bool isInside(const QSize& size, float x, float y);
};
