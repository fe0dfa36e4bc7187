#pragma once

#include <QRect>

class QScreen;

// Screen size, desktop work area and the twips conversion of the screen the main window is on
// (the primary screen until the window says otherwise).
class ScreenInfo
{
public:
    static QRect screenGeometry();
    static QRect workArea();
    // 1440 / logical DPI.
    static double twipsPerPixel();
    // Twips to whole pixels (rounded halves to even) with the same twips-per-pixel value.
    static int pixelsFromTwips(int twips);

    // The screen the main window is on now; nullptr returns to the primary screen.
    static void follow(QScreen* screen);

    // Make screenGeometry() and workArea() report `area` instead of the platform's (a null
    // rectangle restores it): for platforms that know no panels and cannot change their screens,
    // such as the headless one tests run on.
    static void overrideScreen(const QRect& area);
    static void overrideWorkArea(const QRect& area);
};
