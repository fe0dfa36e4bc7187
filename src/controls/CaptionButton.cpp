#include "controls/CaptionButton.h"

#include "controls/ButtonHover.h"
#include "controls/TextDraw.h"
#include "platform/MouseCodes.h"
#include "platform/PropertyBag.h"

#include <QLocale>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>
#include <limits>

namespace
{

const QString kCaptionKey = QStringLiteral("CAP");
const QString kColorKey = QStringLiteral("COR");
const QString kCaptionFamily = QStringLiteral("Verdana");

// "&H" digits: up to eight, read as a 32-bit pattern, so "&HFFFFFFFF" is -1.
std::optional<qint32> fromHex(const QString& digits)
{
    bool ok = false;
    const quint32 bits = digits.toUInt(&ok, 16);
    if (!ok || digits.isEmpty() || digits.size() > 8)
        return std::nullopt;
    return qint32(bits);
}

} // namespace

CaptionButton::CaptionButton(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (!m_session.reportFailure())
        hide(); // without drawing the button stays out of sight
}

void CaptionButton::setButtonText(const QString& text)
{
    m_caption = text;
    redraw(false, kCaptionWidth);
}

std::optional<qint32> CaptionButton::toColorNumber(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.startsWith(QStringLiteral("&H"), Qt::CaseInsensitive))
        return fromHex(trimmed.mid(2));
    bool ok = false;
    const double value = QLocale::c().toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value);
    if (rounded < std::numeric_limits<qint32>::min() || rounded > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(rounded);
}

bool CaptionButton::setButtonColor(const QString& text)
{
    const std::optional<qint32> number = toColorNumber(text);
    if (!number)
        return false;
    m_color = *number;
    return true;
}

void CaptionButton::readProperties(const PropertyBag& bag)
{
    bool ok = false;
    const int color = bag.read(kColorKey, 0).toInt(&ok);
    if (ok)
        m_color = color;
    setButtonText(bag.read(kCaptionKey, QString()).toString());
}

void CaptionButton::writeProperties(PropertyBag& bag) const
{
    bag.write(kCaptionKey, m_caption);
    bag.write(kColorKey, m_color);
}

void CaptionButton::redraw(bool shaded, int layoutWidth)
{
    const qreal dpr = devicePixelRatioF();
    if (m_surface.devicePixelRatio() != dpr || m_surface.deviceIndependentSize() != QSizeF(size())) {
        m_surface = QImage(size() * dpr, QImage::Format_ARGB32_Premultiplied);
        m_surface.setDevicePixelRatio(dpr);
    }
    if (m_surface.isNull())
        return;
    m_surface.fill(QColor::fromRgba(kBackColor));
    QPainter graphics(&m_surface);
    if (shaded)
        graphics.fillRect(rect(), QColor::fromRgba(kHoverShade));
    TextDraw::drawText(graphics, m_caption, kCaptionX, kCaptionY, kCaptionFamily, kCaptionPoints, kTextColor,
                       0, false, layoutWidth, true);
    graphics.end();
    update();
}

void CaptionButton::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), QColor::fromRgba(kBackColor)); // outside a surface not yet drawn
    painter.drawImage(0, 0, m_surface);                            // clipped to the region being painted
}

void CaptionButton::resizeEvent(QResizeEvent*)
{
    redraw(false, kCaptionWidth);
}

void CaptionButton::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF at = event->position();
    redraw(ButtonHover::contains(width(), height(), float(at.x()), float(at.y())), width());
}

void CaptionButton::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF at = event->position();
    Q_EMIT mouseReleased(MouseCodes::button(event->button()), MouseCodes::shift(event->modifiers()),
                         float(at.x()), float(at.y()));
}
