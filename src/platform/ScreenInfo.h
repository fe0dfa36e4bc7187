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
};
