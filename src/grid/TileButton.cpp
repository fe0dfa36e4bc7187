#include "grid/TileButton.h"

#include "grid/TileStrip.h"
#include "platform/MouseCodes.h"

#include <QMouseEvent>
#include <QPainter>

TileButton::TileButton(Artwork::Piece glyph, const QString& toolTip, QWidget* parent)
    : QWidget(parent), m_glyph(glyph)
{
    setFixedSize(TileStrip::kButtonSize, TileStrip::kButtonSize);
    setCursor(Qt::PointingHandCursor);
    setToolTip(toolTip);
    setAccessibleName(toolTip);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TileButton::activate()
{
    Q_EMIT released(1, 0, 0, 0);
}

void TileButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.drawImage(0, 0, Artwork::image(m_glyph, devicePixelRatioF()));
}

void TileButton::mousePressEvent(QMouseEvent* event)
{
    // Accepted, so the button (not the tile under it) receives the release.
    event->accept();
}

void TileButton::mouseReleaseEvent(QMouseEvent* event)
{
    // The press grabbed the pointer; only a release still over the button counts.
    if (!rect().contains(event->position().toPoint()))
        return;
    Q_EMIT released(MouseCodes::button(event->button()), MouseCodes::shift(event->modifiers()),
                    float(event->position().x()), float(event->position().y()));
}
