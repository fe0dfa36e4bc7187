#include "grid/GridLineOverlay.h"

#include <QPaintEvent>
#include <QPainter>

GridLineOverlay::GridLineOverlay(QWidget* surface, Painter painter)
    : QWidget(surface), m_painter(std::move(painter))
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    // Like the surface: growing by a row repaints only that row (and the tiles under it).
    setAttribute(Qt::WA_StaticContents);
}

void GridLineOverlay::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    m_painter(painter, event->rect());
}
