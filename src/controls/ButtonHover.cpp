#include "controls/ButtonHover.h"

#include <cmath>

namespace
{

constexpr int kLeadingInset = 2;
constexpr int kTrailingInset = 4;

} // namespace

bool ButtonHover::contains(int scaleWidth, int scaleHeight, float pointX, float pointY)
{
    const int x = int(std::lrint(pointX));
    const int y = int(std::lrint(pointY));
    return x >= kLeadingInset && y >= kLeadingInset && x < scaleWidth - kTrailingInset &&
           y < scaleHeight - kTrailingInset;
}
