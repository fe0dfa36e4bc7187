#pragma once

#include <QPointer>
#include <QRect>

class QScreen;

// Screen size, desktop work area and the twips conversion of the screen the main window is on
// (the primary screen until the window says otherwise). One is made at start-up and passed in.
class ScreenInfo
{
public:
    [[nodiscard]] QRect screenGeometry() const;
    [[nodiscard]] QRect workArea() const;
    // 1440 / logical DPI.
    [[nodiscard]] double twipsPerPixel() const;
    // Twips to whole pixels (rounded halves to even) with the same twips-per-pixel value.
    [[nodiscard]] int pixelsFromTwips(int twips) const;

    // The screen the main window is on now; nullptr returns to the primary screen.
    void follow(QScreen* screen);

    // Make screenGeometry() and workArea() report `area` instead of the platform's (a null
    // rectangle restores it): for platforms that know no panels and cannot change their screens,
    // such as the headless one tests run on.
    void overrideScreen(const QRect& area) { m_screenOverride = area; }
    void overrideWorkArea(const QRect& area) { m_workAreaOverride = area; }

private:
    [[nodiscard]] QScreen* screen() const;

    QRect m_screenOverride;
    QRect m_workAreaOverride;
    QPointer<QScreen> m_followed;
};
