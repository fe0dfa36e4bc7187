#include "controls/CtlLayers.h"

#include "controls/FocusMark.h"
#include "controls/ListKeys.h"
#include "controls/TextDraw.h"
#include "controls/ucScrollbar.h"
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

CtlLayers::CtlLayers(QWidget* parent) : QWidget(parent), vs1(new ucScrollbar(this))
{
    setMouseTracking(true); // the highlight follows the pointer without a button held
    setAttribute(Qt::WA_OpaquePaintEvent);
    vs1->resize(kScrollbarWidth, height());
    // The view follows the bar at once rather than at the next pointer move over the rows.
    connect(vs1, &ucScrollbar::Change, this, &CtlLayers::RefreshDraw);
    connect(vs1, &ucScrollbar::Scroll, this, &CtlLayers::RefreshDraw);
    if (!m_session.reportFailure())
        hide(); // without drawing the list stays out of sight
}

void CtlLayers::Clean()
{
    m_list.clear();
    clearSurface();
    update();
}

void CtlLayers::LoadImage(const QImage& new_Img, const QString& nText, int Width, int Height, double Opacity,
                          bool isVisible)
{
    m_list.load({new_Img, nText, Width, Height, Opacity, isVisible});
}

bool CtlLayers::UpdateImage(const QImage& new_Img, int Width, int Height, int Index, double Opacity,
                            bool isVisible)
{
    return m_list.update(Index, new_Img, Width, Height, Opacity, isVisible);
}

void CtlLayers::DrawLayers()
{
    m_contentHeight = m_list.contentHeight();
    // The buffer is 300 x H logical pixels at the device pixel ratio, so the captions are
    // rendered at the screen's resolution rather than scaled up from one pixel per unit.
    const qreal dpr = devicePixelRatioF();
    QImage buffer(QSize(LayerList::kBufferWidth, m_contentHeight) * dpr, QImage::Format_ARGB32);
    buffer.setDevicePixelRatio(dpr);
    m_buffer.CreateBlankMemoryFromImg(buffer);
    m_buffer.ClearScreen(kBackColor);
    setUpScrollbar(m_contentHeight);
    m_list.buildRows(LayerList::kBufferWidth);

    QPainter& graphics = *m_buffer.Graphics;
    graphics.setRenderHint(QPainter::SmoothPixmapTransform, false); // nearest-neighbour
    graphics.setRenderHint(QPainter::Antialiasing, true);           // high-quality smoothing
    graphics.save();
    graphics.setPen(Qt::NoPen);
    graphics.setBrush(QColor::fromRgba(kBulletColor));
    for (int row = 0; row < m_list.count(); ++row)
        drawRow(graphics, row);
    graphics.restore();
}

void CtlLayers::drawRow(QPainter& graphics, int row)
{
    graphics.drawEllipse(m_list.bulletRect(row));
    const QPointF origin = m_list.captionOrigin(row);
    TextDraw::DrawText(graphics, m_list.layer(m_list.layerOfRow(row)).caption, float(origin.x()),
                       float(origin.y()), kCaptionFamily, kCaptionPoints, kCaptionColor, 0, false,
                       kCaptionWidth, true);
}

void CtlLayers::RefreshDraw()
{
    clearSurface();
    QPainter graphics(&m_surface);
    const int scroll = vs1->Value();
    if (m_buffer.Img)
        graphics.drawImage(QPointF(0, -scroll), *m_buffer.Img);
    // Before the first DrawLayers, or with no layers, there is no row to highlight.
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

const QImage& CtlLayers::backBuffer() const
{
    static const QImage none;
    return m_buffer.Img ? *m_buffer.Img : none;
}

void CtlLayers::setUpScrollbar(int contentHeight)
{
    const ScrollPlan plan = LayerList::scrollPlan(height(), contentHeight);
    if (plan.enabled) {
        vs1->setMax(plan.max);
        vs1->setLargeChange(plan.max);
        vs1->setEnabled(true);
    } else {
        vs1->setValue(0);
        vs1->setEnabled(false);
    }
}

void CtlLayers::clearSurface()
{
    const qreal dpr = devicePixelRatioF();
    if (m_surface.devicePixelRatio() != dpr || m_surface.deviceIndependentSize() != QSizeF(size())) {
        m_surface = QImage(size() * dpr, QImage::Format_ARGB32_Premultiplied);
        m_surface.setDevicePixelRatio(dpr);
    }
    m_surface.fill(kBackColor);
}

void CtlLayers::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), QColor::fromRgba(kBackColor)); // outside a surface not yet drawn
    painter.drawImage(0, 0, m_surface);                            // clipped to the region being painted
    painter.setPen(QColor::fromRgba(kEdgeColor));
    painter.drawLine(width() - 1, 0, width() - 1, height());
}

void CtlLayers::resizeEvent(QResizeEvent*)
{
    vs1->setGeometry(width() - vs1->width(), 0, vs1->width(), height());
    setUpScrollbar(m_contentHeight);
    vs1->Refresh();
    RefreshDraw();
}

void CtlLayers::mousePressEvent(QMouseEvent* event)
{
    const QPointF at = event->position();
    if (event->button() == Qt::LeftButton)
        m_buttonHeld = true;
    m_list.hitTest(float(at.x()), float(at.y()), vs1->Value());
    Q_EMIT MouseDown(MouseCodes::button(event->button()), MouseCodes::shift(event->modifiers()),
                     float(at.x()), float(at.y()));
}

void CtlLayers::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF at = event->position();
    if (!m_buttonHeld) {
        const int before = m_list.selectedIndex();
        m_list.hitTest(float(at.x()), float(at.y()), vs1->Value());
        RefreshDraw();
        if (m_list.selectedIndex() != before)
            announceSelection();
    }
    Q_EMIT MouseMove(MouseCodes::button(event->buttons()), MouseCodes::shift(event->modifiers()),
                     float(at.x()), float(at.y()));
}

void CtlLayers::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF at = event->position();
    m_buttonHeld = false;
    Q_EMIT MouseUp(MouseCodes::button(event->button()), MouseCodes::shift(event->modifiers()), float(at.x()),
                   float(at.y()));
}

void CtlLayers::keyPressEvent(QKeyEvent* event)
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

void CtlLayers::selectLayer(int layer)
{
    m_list.setSelectedIndex(layer);
    scrollToLayer(layer);
    RefreshDraw();
    announceSelection();
}

void CtlLayers::chooseLayer(int layer)
{
    selectLayer(layer);
    const std::optional<QRectF> row = m_list.highlightRow();
    const QPointF at = row ? row->center() - QPointF(0, vs1->Value()) : QPointF();
    Q_EMIT MouseUp(1, 0, float(at.x()), float(at.y()));
}

void CtlLayers::scrollToLayer(int layer)
{
    const int top = LayerList::kItemHeight * m_list.layerOfRow(layer);
    const int value = vs1->Value();
    if (top < value)
        vs1->setValue(top);
    else if (top + LayerList::kItemHeight > value + height())
        vs1->setValue(top + LayerList::kItemHeight - height());
}

// A screen reader follows the keyboard's row (and the pointer's while the list has the focus).
void CtlLayers::announceSelection()
{
    if (!hasFocus() || m_list.count() == 0)
        return;
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(m_list.layerOfRow(m_list.selectedIndex()));
    QAccessible::updateAccessibility(&focus);
}

void CtlLayers::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    RefreshDraw();
    announceSelection();
}

void CtlLayers::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    RefreshDraw();
}
