#include "imaging/FileHelpers.h"

#include "platform/ScreenInfo.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace FileHelpers
{

QString withTrailingSeparator(const QString& path)
{
    return path.endsWith('/') ? path : path + '/';
}

int workAreaBottomGap(int screenHeightPx, int workAreaBottomPx, double twipsPerPixel)
{
    const double screenTwips = screenHeightPx * twipsPerPixel;
    return int(std::lrint((screenTwips / twipsPerPixel - workAreaBottomPx) * twipsPerPixel));
}

int workAreaBottomGap(const ScreenInfo& screens)
{
    const QRect screen = screens.screenGeometry();
    const QRect work = screens.workArea();
    // The work area's bottom edge as an exclusive coordinate, relative to the screen.
    const int workBottom = work.y() + work.height() - screen.y();
    return workAreaBottomGap(screen.height(), workBottom, screens.twipsPerPixel());
}

QString fileExtension(const QString& name)
{
    const qsizetype dot = name.lastIndexOf('.');
    return dot < 0 ? name : name.mid(dot + 1);
}

FitResult fitToBox(int sw, int sh, int bw, int bh, bool force)
{
    FitResult r;
    if (sw <= bw && sh <= bh && !force) {
        r.w = sw;
        r.h = sh;
    } else {
        const float rx = float(bw) / float(sw);
        const float ry = float(bh) / float(sh);
        if (rx < ry) {
            r.w = bw;
            r.h = int(std::lrint(float(sh) * rx));
        } else {
            r.h = bh;
            r.w = int(std::lrint(float(sw) * ry));
        }
    }
    r.w = std::max(r.w, 1);
    r.h = std::max(r.h, 1);
    r.x = (bw - r.w) / 2;
    r.y = (bh - r.h) / 2;
    return r;
}

} // namespace FileHelpers
