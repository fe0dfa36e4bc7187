#include "app/PictureBox.h"

#include "controls/FocusMark.h"
#include "controls/ListKeys.h"
#include "platform/MouseCodes.h"

#include <QKeyEvent>

#include <QMouseEvent>
#include <QPainter>

PictureBox::PictureBox(QWidget* parent, QColor background) : QWidget(parent), m_background(background)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void PictureBox::setBackground(QColor color)
{
    m_background = color;
    clear();
}

bool PictureBox::surfaceFits() const
{
    const qreal dpr = devicePixelRatioF();
    return m_surface.devicePixelRatio() == dpr && m_surface.size() == size().expandedTo(QSize(1, 1)) * dpr;
}

void PictureBox::clear()
{
    if (!surfaceFits()) {
        const qreal dpr = devicePixelRatioF();
        m_surface = QImage(size().expandedTo(QSize(1, 1)) * dpr, QImage::Format_ARGB32_Premultiplied);
        m_surface.setDevicePixelRatio(dpr);
    }
    m_surface.fill(m_background);
    if (!m_picture.isNull()) {
        QPainter p(&m_surface);
        p.drawPixmap(0, 0, m_picture);
    }
    update();
}

void PictureBox::setPicture(const QPixmap& picture)
{
    m_picture = picture;
    clear();
}

void PictureBox::setSurfaceImage(const QImage& image)
{
    m_surface = image;
    update();
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, m_surface);
    if (hasFocus())
        FocusMark::paint(p, rect());
}

// The surface is persistent: a new size keeps what was drawn, on fresh background around it.
void PictureBox::resizeEvent(QResizeEvent*)
{
    if (surfaceFits())
        return;
    const QImage drawn = m_surface;
    clear();
    if (!drawn.isNull()) {
        QPainter p(&m_surface);
        p.drawImage(0, 0, drawn);
    }
}

void PictureBox::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        m_pressedInside = true;
    Q_EMIT mousePressed(MouseCodes::button(e->button()), MouseCodes::shift(e->modifiers()),
                        float(e->position().x()), float(e->position().y()));
}

void PictureBox::mouseMoveEvent(QMouseEvent* e)
{
    Q_EMIT mouseMoved(MouseCodes::button(e->buttons()), MouseCodes::shift(e->modifiers()),
                      float(e->position().x()), float(e->position().y()));
}

void PictureBox::mouseReleaseEvent(QMouseEvent* e)
{
    // The press grabbed the pointer: the release may come from anywhere on the screen.
    const bool click =
        e->button() == Qt::LeftButton && m_pressedInside && rect().contains(e->position().toPoint());
    if (e->button() == Qt::LeftButton)
        m_pressedInside = false;
    Q_EMIT mouseReleased(MouseCodes::button(e->button()), MouseCodes::shift(e->modifiers()),
                         float(e->position().x()), float(e->position().y()));
    if (click)
        Q_EMIT clicked();
}

void PictureBox::leaveEvent(QEvent*)
{
    Q_EMIT mouseLeft();
}

void PictureBox::makeButton(const QString& name, const QString& toolTip)
{
    m_isButton = true;
    setFocusPolicy(Qt::TabFocus);
    setAccessibleName(name);
    setToolTip(toolTip);
}

void PictureBox::activate()
{
    Q_EMIT activated();
}

void PictureBox::keyPressEvent(QKeyEvent* e)
{
    if (!m_isButton || !ListKeys::isActivation(e->key())) {
        QWidget::keyPressEvent(e);
        return;
    }
    e->accept();
    activate();
}

void PictureBox::focusInEvent(QFocusEvent* e)
{
    QWidget::focusInEvent(e);
    update();
}

void PictureBox::focusOutEvent(QFocusEvent* e)
{
    QWidget::focusOutEvent(e);
    update();
}
