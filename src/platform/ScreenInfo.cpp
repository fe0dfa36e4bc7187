#include "platform/ScreenInfo.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

QScreen* ScreenInfo::screen() const
{
    if (m_followed)
        return m_followed;
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::primaryScreen()
                                                                        : nullptr;
}

QRect ScreenInfo::screenGeometry() const
{
    if (!m_screenOverride.isNull())
        return m_screenOverride;
    QScreen* s = screen();
    return s ? s->geometry() : QRect(0, 0, 1600, 900);
}

QRect ScreenInfo::workArea() const
{
    if (!m_workAreaOverride.isNull())
        return m_workAreaOverride;
    QScreen* s = screen();
    return s ? s->availableGeometry() : QRect(0, 0, 1600, 900);
}

double ScreenInfo::twipsPerPixel() const
{
    QScreen* s = screen();
    const double dpi = s ? s->logicalDotsPerInchX() : 96.0;
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}

int ScreenInfo::pixelsFromTwips(int twips) const
{
    return int(std::lrint(twips / twipsPerPixel()));
}

void ScreenInfo::follow(QScreen* screen)
{
    m_followed = screen;
}
