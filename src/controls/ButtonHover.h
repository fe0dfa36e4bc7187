#pragma once

// The push button's hover rule: the pointer darkens the button only inside a zone inset from the
// edges (left 2, top 2, right width - 4, bottom height - 4; right and bottom exclusive), so the
// last moves before the pointer leaves fall in the border strip and undo the darkening without
// any leave handling.
class ButtonHover
{
public:
    // Whether the pointer, rounded to whole pixels, is inside the zone.
    [[nodiscard]] static bool contains(int scaleWidth, int scaleHeight, float x, float y);
};
