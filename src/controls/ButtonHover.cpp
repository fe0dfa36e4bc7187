#include "controls/ButtonHover.h"

#include <cmath>

namespace
{

constexpr int kLeadingInset = 2;
constexpr int kTrailingInset = 4;

} // namespace

bool ButtonHover::contains(int scaleWidth, int scaleHeight, float X, float Y)
{
    const int x = int(std::lrint(X));
    const int y = int(std::lrint(Y));
    return x >= kLeadingInset && y >= kLeadingInset && x < scaleWidth - kTrailingInset &&
           y < scaleHeight - kTrailingInset;
}
