#pragma once

#include <QWidget>

#include <functional>

class QPainter;

// The results grid's lines, drawn above the tiles. Each tile lies one pixel inside its grid lines,
// but at a fractional scale a tile's edge is rounded out to whole device pixels and would cover
// every other line; drawn on top, every column boundary shows at any scale. The overlay lets the
// pointer through to the tiles and the surface below.
class GridLineOverlay : public QWidget
{
public:
    using Painter = std::function<void(QPainter&, const QRect&)>;
    GridLineOverlay(QWidget* surface, Painter painter);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Painter m_painter;
};
