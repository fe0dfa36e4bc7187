#include "controls/LayerListWidget.h"

#include "controls/FocusMark.h"
#include "controls/ListKeys.h"
#include "controls/Scrollbar.h"
#include "controls/TextDraw.h"
#include "platform/MouseCodes.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace
{

const QString kCaptionFamily = QStringLiteral("Arial");

} // namespace

LayerListWidget::LayerListWidget(QWidget* parent) : QWidget(parent), m_scrollbar(new Scrollbar(this))
{
    setMouseTracking(true); // the highlight follows the pointer without a button held
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_scrollbar->resize(kScrollbarWidth, height());
    // The view follows the bar at once rather than at the next pointer move over the rows.
    connect(m_scrollbar, &Scrollbar::valueChanged, this, &LayerListWidget::redraw);
    connect(m_scrollbar, &Scrollbar::scrolled, this, &LayerListWidget::redraw);
    if (!m_session.reportFailure())
        hide(); // without drawing the list stays out of sight
}

void LayerListWidget::clear()
{
    m_list.clear();
    clearSurface();
    update();
}

void LayerListWidget::addLayer(const QImage& image, const QString& caption, int width, int height,
                               double opacity, bool visible)
{
    m_list.load({image, caption, width, height, opacity, visible});
}

bool LayerListWidget::updateLayer(const QImage& image, int width, int height, int index, double opacity,
                                  bool visible)
{
    return m_list.update(index, image, width, height, opacity, visible);
}

void LayerListWidget::drawLayers()
{
    m_contentHeight = m_list.contentHeight();
    // The buffer is 300 x h logical pixels at the device pixel ratio, so the captions are
    // rendered at the screen's resolution rather than scaled up from one pixel per unit.
    const qreal dpr = devicePixelRatioF();
    QImage buffer(QSize(LayerList::kBufferWidth, m_contentHeight) * dpr, QImage::Format_ARGB32);
    buffer.setDevicePixelRatio(dpr);
    m_buffer.createFromImage(buffer);
    m_buffer.clearScreen(kBackColor);
    setUpScrollbar(m_contentHeight);
    m_list.buildRows(LayerList::kBufferWidth);

    QPainter& graphics = *m_buffer.painter();
    graphics.setRenderHint(QPainter::SmoothPixmapTransform, false); // nearest-neighbour
    graphics.setRenderHint(QPainter::Antialiasing, true);           // high-quality smoothing
    graphics.save();
    graphics.setPen(Qt::NoPen);
    graphics.setBrush(QColor::fromRgba(kBulletColor));
    for (int row = 0; row < m_list.count(); ++row)
        drawRow(graphics, row);
    graphics.restore();
}

void LayerListWidget::drawRow(QPainter& graphics, int row)
{
    graphics.drawEllipse(m_list.bulletRect(row));
    const QPointF origin = m_list.captionOrigin(row);
    TextDraw::drawText(graphics, m_list.layer(m_list.layerOfRow(row)).caption, float(origin.x()),
                       float(origin.y()), kCaptionFamily, kCaptionPoints, kCaptionColor, 0, false,
                       kCaptionWidth, true);
}

void LayerListWidget::redraw()
{
    clearSurface();
    QPainter graphics(&m_surface);
    const int scroll = m_scrollbar->value();
    if (m_buffer.image())
        graphics.drawImage(QPointF(0, -scroll), *m_buffer.image());
    // Before the first drawLayers, or with no layers, there is no row to highlight.
    if (const std::optional<QRectF> row = m_list.highlightRow()) {
        graphics.fillRect(row->translated(0, -scroll), QColor::fromRgba(kHighlightColor));
        // The keyboard's mark sits on the highlighted row, left of the inner scrollbar.
        if (hasFocus())
            FocusMark::paint(graphics,
                             QRectF(0, row->y() - scroll, width() - kScrollbarWidth, row->height()));
    }
    graphics.end();
    update();
}

const QImage& LayerListWidget::backBuffer() const
{
    static const QImage none;
    return m_buffer.image() ? *m_buffer.image() : none;
}

void LayerListWidget::setUpScrollbar(int contentHeight)
{
    const ScrollPlan plan = LayerList::scrollPlan(height(), contentHeight);
    if (plan.enabled) {
        m_scrollbar->setMaximum(plan.max);
        m_scrollbar->setLargeChange(plan.max);
        m_scrollbar->setEnabled(true);
    } else {
        m_scrollbar->setValue(0);
        m_scrollbar->setEnabled(false);
    }
}

void LayerListWidget::clearSurface()
{
    const qreal dpr = devicePixelRatioF();
    if (m_surface.devicePixelRatio() != dpr || m_surface.deviceIndependentSize() != QSizeF(size())) {
        m_surface = QImage(size() * dpr, QImage::Format_ARGB32_Premultiplied);
        m_surface.setDevicePixelRatio(dpr);
    }
    m_surface.fill(kBackColor);
}

void LayerListWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), QColor::fromRgba(kBackColor)); // outside a surface not yet drawn
    painter.drawImage(0, 0, m_surface);                            // clipped to the region being painted
    painter.setPen(QColor::fromRgba(kEdgeColor));
    painter.drawLine(width() - 1, 0, width() - 1, height());
}

void LayerListWidget::resizeEvent(QResizeEvent*)
{
    m_scrollbar->setGeometry(width() - m_scrollbar->width(), 0, m_scrollbar->width(), height());
    setUpScrollbar(m_contentHeight);
    m_scrollbar->refresh();
    redraw();
}

void LayerListWidget::mousePressEvent(QMouseEvent* event)
{
    const QPointF at = event->position();
    if (event->button() == Qt::LeftButton)
        m_buttonHeld = true;
    m_list.hitTest(float(at.x()), float(at.y()), m_scrollbar->value());
    Q_EMIT mousePressed(MouseCodes::button(event->button()), MouseCodes::shift(event->modifiers()),
                        float(at.x()), float(at.y()));
}

void LayerListWidget::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF at = event->position();
    if (!m_buttonHeld) {
        const int before = m_list.selectedIndex();
        m_list.hitTest(float(at.x()), float(at.y()), m_scrollbar->value());
        redraw();
        if (m_list.selectedIndex() != before)
            announceSelection();
    }
    Q_EMIT mouseMoved(MouseCodes::button(event->buttons()), MouseCodes::shift(event->modifiers()),
                      float(at.x()), float(at.y()));
}

void LayerListWidget::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF at = event->position();
    m_buttonHeld = false;
    Q_EMIT mouseReleased(MouseCodes::button(event->button()), MouseCodes::shift(event->modifiers()),
                         float(at.x()), float(at.y()));
}

void LayerListWidget::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (const std::optional<int> layer = ListKeys::target(key, m_list.selectedIndex(), m_list.count()))
        selectLayer(*layer);
    else if (ListKeys::isActivation(key) && m_list.count() > 0)
        chooseLayer(m_list.selectedIndex());
    else {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void LayerListWidget::selectLayer(int layer)
{
    m_list.setSelectedIndex(layer);
    scrollToLayer(layer);
    redraw();
    announceSelection();
}

void LayerListWidget::chooseLayer(int layer)
{
    selectLayer(layer);
    const std::optional<QRectF> row = m_list.highlightRow();
    const QPointF at = row ? row->center() - QPointF(0, m_scrollbar->value()) : QPointF();
    Q_EMIT mouseReleased(1, 0, float(at.x()), float(at.y()));
}

void LayerListWidget::scrollToLayer(int layer)
{
    const int top = LayerList::kItemHeight * m_list.layerOfRow(layer);
    const int value = m_scrollbar->value();
    if (top < value)
        m_scrollbar->setValue(top);
    else if (top + LayerList::kItemHeight > value + height())
        m_scrollbar->setValue(top + LayerList::kItemHeight - height());
}

// A screen reader follows the keyboard's row (and the pointer's while the list has the focus).
void LayerListWidget::announceSelection()
{
    if (!hasFocus() || m_list.count() == 0)
        return;
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(m_list.layerOfRow(m_list.selectedIndex()));
    QAccessible::updateAccessibility(&focus);
}

void LayerListWidget::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    redraw();
    announceSelection();
}

void LayerListWidget::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    redraw();
}
