#include "platform/ScreenInfo.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>

#include <cmath>

namespace
{
QRect g_screenOverride;
QRect g_workAreaOverride;
QPointer<QScreen> g_followed;

QScreen* primary()
{
    if (g_followed)
        return g_followed;
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::primaryScreen()
                                                                        : nullptr;
}
} // namespace

QRect ScreenInfo::screenGeometry()
{
    if (!g_screenOverride.isNull())
        return g_screenOverride;
    QScreen* s = primary();
    return s ? s->geometry() : QRect(0, 0, 1600, 900);
}

QRect ScreenInfo::workArea()
{
    if (!g_workAreaOverride.isNull())
        return g_workAreaOverride;
    QScreen* s = primary();
    return s ? s->availableGeometry() : QRect(0, 0, 1600, 900);
}

double ScreenInfo::twipsPerPixel()
{
    QScreen* s = primary();
    const double dpi = s ? s->logicalDotsPerInchX() : 96.0;
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}

int ScreenInfo::pixelsFromTwips(int twips)
{
    return int(std::lrint(twips / twipsPerPixel()));
}

void ScreenInfo::follow(QScreen* screen)
{
    g_followed = screen;
}

void ScreenInfo::overrideScreen(const QRect& area)
{
    g_screenOverride = area;
}

void ScreenInfo::overrideWorkArea(const QRect& area)
{
    g_workAreaOverride = area;
}
