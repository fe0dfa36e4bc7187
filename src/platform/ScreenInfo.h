#pragma once

#include <QRect>

// Screen size, desktop work area and the twips conversion of the primary screen.
class ScreenInfo
{
public:
    static QRect screenGeometry();
    static QRect workArea();
    // 1440 / logical DPI.
    static double twipsPerPixel();
    // Twips to whole pixels (rounded halves to even) with the same twips-per-pixel value.
    static int pixelsFromTwips(int twips);

    // Makes workArea() report `area` instead of the platform's (a null rectangle restores it):
    // for platforms that know no panels, such as the headless one tests run on.
    static void overrideWorkArea(const QRect& area);
};
