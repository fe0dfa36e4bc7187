#include "grid/MenuButtonLook.h"

#include <QPainter>

#include <cmath>

namespace
{
constexpr int kBarLeft = 12;
constexpr int kBarRight = 30;
constexpr int kBarYs[] = {15, 21, 27};
constexpr int kBarWidth = 2;
} // namespace

void MenuButtonLook::drawBars(QImage& surface)
{
    QPainter painter(&surface);
    painter.setPen(QPen(QColor(0, 0, 0), kBarWidth));
    for (int y : kBarYs)
        painter.drawLine(kBarLeft, y, kBarRight, y);
}

void MenuButtonLook::paintIdle(QImage& surface)
{
    surface.fill(Qt::white);
    drawBars(surface);
}

void MenuButtonLook::paintPointer(QImage& surface, float x, float y, bool pressed)
{
    surface.fill(Qt::white);
    // The surface may carry a device pixel ratio: the rule works in its logical pixels.
    const QSizeF logical = surface.deviceIndependentSize();
    const QRgb brush =
        isInside(logical.toSize(), x, y) ? (pressed ? kPressedInside : kHoverInside) : kOutside;
    {
        QPainter painter(&surface);
        painter.fillRect(QRectF(QPointF(0, 0), logical), QColor::fromRgba(brush));
    }
    drawBars(surface);
}

bool MenuButtonLook::isInside(const QSize& size, float x, float y)
{
    const long px = std::lrint(x);
    const long py = std::lrint(y);
    return px >= kMargin && py >= kMargin && px < size.width() - kMargin && py < size.height() - kMargin;
}
