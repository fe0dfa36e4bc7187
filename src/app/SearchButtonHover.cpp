#include "app/SearchButtonHover.h"

#include <cmath>

bool SearchButtonHover::isInside(const QSize& size, float x, float y)
{
    const long px = std::lrint(x);
    const long py = std::lrint(y);
    return px >= kMarginX && py >= kMarginY && px < size.width() - kMarginX && py < size.height() - kMarginY;
}
