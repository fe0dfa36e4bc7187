#include "platform/ScreenInfo.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace
{
QRect g_workAreaOverride;

QScreen* primary()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::primaryScreen()
                                                                        : nullptr;
}
} // namespace

QRect ScreenInfo::screenGeometry()
{
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

void ScreenInfo::overrideWorkArea(const QRect& area)
{
    g_workAreaOverride = area;
}
