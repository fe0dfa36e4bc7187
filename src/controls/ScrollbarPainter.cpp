#include "controls/ScrollbarPainter.h"

#include <QBitmap>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QStyle>
#include <QStyleOptionSlider>
#include <qdrawutil.h>

#include <algorithm>
#include <cmath>

namespace
{

// The looks of the platform's scroll-arrow frame control used here.
enum class FrameLook { Raised, PushedFlat, Flat };

// The arrow's triangle, one row of device pixels per step, so on a scaled screen it is drawn at
// the screen's resolution rather than as the 1x glyph with doubled pixels.
void drawGlyph(QPainter& painter, const QRect& logicalRect, ArrowGlyph glyph, const QColor& colour,
               int offset)
{
    const qreal dpr = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const QRect rect(
        QPoint(int(logicalRect.left() * dpr), int(logicalRect.top() * dpr)),
        QSize(int(std::lround(logicalRect.width() * dpr)), int(std::lround(logicalRect.height() * dpr))));
    const int shift = int(std::lround(offset * dpr));
    const int size = std::min(rect.width(), rect.height());
    const int half = std::max(1, (size - 4) / 4);
    const bool vertical = glyph == ArrowGlyph::Up || glyph == ArrowGlyph::Down;
    // Centre across the arrow's direction, and the glyph's depth centred along it.
    const int acrossCentre =
        vertical ? rect.left() + (rect.width() - 1) / 2 : rect.top() + (rect.height() - 1) / 2;
    const int alongStart = vertical ? rect.top() + (rect.height() - (half + 1)) / 2
                                    : rect.left() + (rect.width() - (half + 1)) / 2;
    const auto fill = [&](int x, int y, int w, int h) {
        painter.fillRect(QRectF(x / dpr, y / dpr, w / dpr, h / dpr), colour);
    };
    for (int i = 0; i <= half; ++i) {
        const bool towardsTip = glyph == ArrowGlyph::Up || glyph == ArrowGlyph::Left;
        const int spread = towardsTip ? i : half - i;
        const int along = alongStart + i + shift;
        const int from = acrossCentre - spread + shift;
        const int span = 2 * spread + 1;
        if (vertical)
            fill(from, along, span, 1);
        else
            fill(along, from, 1, span);
    }
}

void drawFrameArrow(QPainter& painter, const QRect& rect, ArrowGlyph glyph, FrameLook look, bool inactive,
                    const QPalette& palette)
{
    if (rect.isEmpty())
        return;
    int offset = 0;
    if (look == FrameLook::Raised) {
        const QBrush face = palette.brush(QPalette::Button);
        qDrawWinButton(&painter, rect, palette, false, &face);
    } else {
        painter.fillRect(rect, palette.color(QPalette::Button));
        painter.setPen(palette.color(QPalette::Dark));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
        offset = look == FrameLook::PushedFlat ? 1 : 0;
    }
    if (inactive) {
        // Embossed: a highlight copy one pixel down-right under the shadow-coloured glyph.
        drawGlyph(painter, rect, glyph, palette.color(QPalette::Light), 1);
        drawGlyph(painter, rect, glyph, palette.color(QPalette::Dark), 0);
    } else {
        drawGlyph(painter, rect, glyph, palette.color(QPalette::ButtonText), offset);
    }
}

void fillFace(QPainter& painter, const WinRect& rect, const QPalette& palette)
{
    if (!rect.isEmpty())
        painter.fillRect(rect.toQRect(), palette.color(QPalette::Button));
}

// Draws one scrollbar element through the style. Styles that paint a scrollbar only as a whole
// (Fusion among them) draw nothing for a single element; the caller then falls back to the
// classic look for that part instead of leaving it unpainted. Returns whether anything was drawn.
bool drawStyledPart(QPainter& painter, const QStyleOptionSlider& option, QStyle::ControlElement element,
                    const QStyle& qstyle, const QWidget* widget)
{
    const qreal dpr = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    QImage styled(option.rect.size() * dpr, QImage::Format_ARGB32_Premultiplied);
    styled.setDevicePixelRatio(dpr);
    styled.fill(Qt::transparent);
    {
        QPainter local(&styled);
        QStyleOptionSlider atOrigin = option;
        atOrigin.rect.moveTo(0, 0);
        qstyle.drawControl(element, &atOrigin, &local, widget);
    }
    for (int y = 0; y < styled.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(styled.constScanLine(y));
        for (int x = 0; x < styled.width(); ++x) {
            if (qAlpha(line[x]) != 0) {
                painter.drawImage(option.rect.topLeft(), styled);
                return true;
            }
        }
    }
    return false;
}

int arrowState(bool hot, bool pressed)
{
    return hot ? 2 : pressed ? 1 : 0;
}

} // namespace

ScrollbarPainter::ScrollbarPainter(const ScrollbarLayout& layout, const ScrollbarInteraction& input)
    : m_layout(layout), m_input(input)
{
}

QBrush ScrollbarPainter::trackBrush(const QPalette& palette)
{
    static const uchar rows[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
    const QBitmap pattern = QBitmap::fromData(QSize(8, 8), rows, QImage::Format_MonoLSB);
    // Set bits take the brush colour; clear ones the painter's background in opaque mode.
    QBrush brush(palette.color(QPalette::Text), pattern);
    return brush;
}

ArrowGlyph ScrollbarPainter::glyph(ScrollPart arrow) const
{
    if (arrow == ScrollPart::FirstArrow)
        return m_layout.isHorizontal() ? ArrowGlyph::Left : ArrowGlyph::Up;
    return m_layout.isHorizontal() ? ArrowGlyph::Right : ArrowGlyph::Down;
}

void ScrollbarPainter::paint(QPainter& painter, int style, bool enabled, bool themed, const QPalette& palette,
                             const QStyle* qstyle, const QWidget* widget, const OwnerDraw& ownerDraw) const
{
    painter.save();
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(palette.color(QPalette::Base));
    switch (ScrollbarStyle(style)) {
    case ScrollbarStyle::Flat:
        paintFlat(painter, enabled, palette);
        break;
    case ScrollbarStyle::Themed:
        if (themed && qstyle != nullptr)
            paintThemed(painter, enabled, palette, *qstyle, widget);
        else
            paintClassic(painter, enabled, palette);
        break;
    case ScrollbarStyle::OwnerDrawn:
        if (ownerDraw) {
            for (const PartPaint& part : ownerParts())
                ownerDraw(part);
        }
        break;
    case ScrollbarStyle::Classic:
    default:
        paintClassic(painter, enabled, palette);
        break;
    }
    painter.restore();
}

void ScrollbarPainter::paintTrack(QPainter& painter, const QPalette& palette, bool enabled) const
{
    const QBrush pattern = trackBrush(palette);
    if (m_layout.trackVisible()) {
        for (ScrollPart segment : {ScrollPart::FirstTrack, ScrollPart::SecondTrack}) {
            const WinRect& rect = m_layout.rect(segment);
            if (rect.isEmpty())
                continue;
            const bool black = enabled && pressed(segment);
            painter.fillRect(rect.toQRect(), black ? QBrush(Qt::black) : pattern);
        }
    }
}

void ScrollbarPainter::paintClassic(QPainter& painter, bool enabled, const QPalette& palette) const
{
    for (ScrollPart arrow : {ScrollPart::FirstArrow, ScrollPart::SecondArrow}) {
        const FrameLook look = enabled && pressed(arrow) ? FrameLook::PushedFlat : FrameLook::Raised;
        drawFrameArrow(painter, m_layout.rect(arrow).toQRect(), glyph(arrow), look, !enabled, palette);
    }
    paintTrack(painter, palette, enabled);
    if (m_layout.trackVisible()) {
        const WinRect& thumb = m_layout.rect(ScrollPart::Thumb);
        if (!enabled) {
            paintDisabledThumb(painter, palette);
        } else if (!thumb.isEmpty()) {
            const QBrush face = palette.brush(QPalette::Button);
            qDrawWinButton(&painter, thumb.toQRect(), palette, false, &face);
        }
    }
    if (m_layout.fillerVisible())
        painter.fillRect(m_layout.filler().toQRect(), trackBrush(palette));
}

// A disabled bar has no thumb: its place shows the track, so the whole track reads as one.
void ScrollbarPainter::paintDisabledThumb(QPainter& painter, const QPalette& palette) const
{
    const WinRect& thumb = m_layout.rect(ScrollPart::Thumb);
    if (!thumb.isEmpty())
        painter.fillRect(thumb.toQRect(), trackBrush(palette));
}

void ScrollbarPainter::paintFlat(QPainter& painter, bool enabled, const QPalette& palette) const
{
    for (ScrollPart arrow : {ScrollPart::FirstArrow, ScrollPart::SecondArrow}) {
        const QRect rect = m_layout.rect(arrow).toQRect();
        if (enabled)
            drawFlatArrow(painter, rect, glyph(arrow), arrowState(hot(arrow), pressed(arrow)), palette);
        else
            drawFrameArrow(painter, rect, glyph(arrow), FrameLook::Flat, true, palette);
    }
    paintTrack(painter, palette, enabled);
    if (m_layout.trackVisible()) {
        const WinRect& thumb = m_layout.rect(ScrollPart::Thumb);
        const bool marked = enabled && (hot(ScrollPart::Thumb) || pressed(ScrollPart::Thumb));
        if (!enabled)
            paintDisabledThumb(painter, palette);
        else if (marked && !thumb.isEmpty())
            painter.fillRect(thumb.toQRect(), palette.color(QPalette::Dark));
        else
            fillFace(painter, thumb, palette);
    }
    if (m_layout.fillerVisible())
        painter.fillRect(m_layout.filler().toQRect(), trackBrush(palette));
}

void ScrollbarPainter::drawFlatArrow(QPainter& painter, const QRect& rect, ArrowGlyph glyph, int mode,
                                     const QPalette& palette)
{
    if (rect.isEmpty())
        return;
    // Drawn at the target's resolution, so the glyph is not scaled up on a scaled screen.
    const qreal dpr = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    QImage colour(rect.size() * dpr, QImage::Format_RGB32);
    colour.setDevicePixelRatio(dpr);
    {
        QPainter local(&colour);
        drawFrameArrow(local, QRect(QPoint(0, 0), rect.size()), glyph, FrameLook::Flat, false, palette);
    }
    if (mode == 1) {
        colour.invertPixels();
    } else if (mode == 2) {
        // The glyph's pixels in highlight on a square of shadow.
        const QRgb glyphColour = palette.color(QPalette::ButtonText).rgb();
        const QRgb highlight = palette.color(QPalette::Light).rgb();
        const QRgb shadow = palette.color(QPalette::Dark).rgb();
        for (int y = 0; y < colour.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(colour.scanLine(y));
            for (int x = 0; x < colour.width(); ++x)
                line[x] = line[x] == glyphColour ? highlight : shadow;
        }
    }
    painter.drawImage(rect.topLeft(), colour);
}

std::vector<ScrollbarPainter::PartPaint> ScrollbarPainter::ownerParts() const
{
    std::vector<PartPaint> parts;
    parts.push_back({m_layout.rect(ScrollPart::FirstArrow), 0,
                     arrowState(hot(ScrollPart::FirstArrow), pressed(ScrollPart::FirstArrow))});
    parts.push_back({m_layout.rect(ScrollPart::SecondArrow), 1,
                     arrowState(hot(ScrollPart::SecondArrow), pressed(ScrollPart::SecondArrow))});
    if (m_layout.trackVisible()) {
        parts.push_back({m_layout.rect(ScrollPart::FirstTrack), 2, pressed(ScrollPart::FirstTrack) ? 1 : 0});
        parts.push_back(
            {m_layout.rect(ScrollPart::SecondTrack), 3, pressed(ScrollPart::SecondTrack) ? 1 : 0});
        parts.push_back({m_layout.rect(ScrollPart::Thumb), 5,
                         arrowState(hot(ScrollPart::Thumb), pressed(ScrollPart::Thumb))});
    }
    if (m_layout.fillerVisible())
        parts.push_back({m_layout.filler(), 4, 0});
    return parts;
}

std::vector<ScrollbarPainter::PartPaint> ScrollbarPainter::themedParts(bool enabled) const
{
    const int h = m_layout.isHorizontal() ? 1 : 0;
    const auto thumbState = [&] {
        if (!enabled)
            return 4;
        return hot(ScrollPart::Thumb) ? 2 : pressed(ScrollPart::Thumb) ? 3 : 1;
    };
    const auto trackState = [&](ScrollPart segment) { return !enabled ? 4 : pressed(segment) ? 3 : 1; };
    const auto arrowThemeState = [&](ScrollPart arrow, int base) {
        if (!enabled)
            return 8 * h + base + 3;
        return 8 * h + base + (hot(arrow) ? 1 : pressed(arrow) ? 2 : 0);
    };

    std::vector<PartPaint> parts;
    parts.push_back({m_layout.rect(ScrollPart::FirstArrow), 1, arrowThemeState(ScrollPart::FirstArrow, 1)});
    parts.push_back({m_layout.rect(ScrollPart::SecondArrow), 1, arrowThemeState(ScrollPart::SecondArrow, 5)});
    if (m_layout.trackVisible()) {
        parts.push_back(
            {m_layout.rect(ScrollPart::FirstTrack), 7 - 2 * h, trackState(ScrollPart::FirstTrack)});
        parts.push_back(
            {m_layout.rect(ScrollPart::SecondTrack), 6 - 2 * h, trackState(ScrollPart::SecondTrack)});
        parts.push_back({m_layout.rect(ScrollPart::Thumb), 3 - h, thumbState()});
        if (m_layout.thumbLength() >= kGripperMinThumb)
            parts.push_back({m_layout.rect(ScrollPart::Thumb), 9 - h, thumbState()});
    }
    if (m_layout.fillerVisible())
        parts.push_back({m_layout.filler(), 7 - 2 * h, enabled ? 1 : 4});
    return parts;
}

void ScrollbarPainter::paintThemed(QPainter& painter, bool enabled, const QPalette& palette,
                                   const QStyle& qstyle, const QWidget* widget) const
{
    const bool horizontal = m_layout.isHorizontal();
    for (const PartPaint& part : themedParts(enabled)) {
        if (part.rect.isEmpty())
            continue;
        QStyleOptionSlider option;
        option.palette = palette;
        option.rect = part.rect.toQRect();
        option.orientation = horizontal ? Qt::Horizontal : Qt::Vertical;
        option.minimum = m_layout.min();
        option.maximum = m_layout.max();
        option.sliderPosition = m_layout.value();
        option.sliderValue = m_layout.value();
        option.singleStep = m_layout.smallChange();
        option.pageStep = m_layout.largeChange();
        option.state = QStyle::State_None;
        if (enabled)
            option.state |= QStyle::State_Enabled;
        if (horizontal)
            option.state |= QStyle::State_Horizontal;

        // Decode the theme numbers into the style's control element and its flags.
        QStyle::ControlElement element = QStyle::CE_ScrollBarSlider;
        QStyle::SubControl control = QStyle::SC_ScrollBarSlider;
        int look = 0; // 0 normal, 1 hot, 2 pressed, 3 disabled
        bool gripper = false;
        if (part.part == 1) {
            const bool second = ((part.state - 1) / 4) % 2 == 1;
            element = second ? QStyle::CE_ScrollBarAddLine : QStyle::CE_ScrollBarSubLine;
            control = second ? QStyle::SC_ScrollBarAddLine : QStyle::SC_ScrollBarSubLine;
            look = (part.state - 1) % 4;
        } else if (part.part == 7 - 2 * int(horizontal) || part.part == 6 - 2 * int(horizontal)) {
            const bool upper = part.part == 7 - 2 * int(horizontal);
            element = upper ? QStyle::CE_ScrollBarSubPage : QStyle::CE_ScrollBarAddPage;
            control = upper ? QStyle::SC_ScrollBarSubPage : QStyle::SC_ScrollBarAddPage;
            look = part.state == 3 ? 2 : part.state == 4 ? 3 : 0;
        } else {
            gripper = part.part == 9 - int(horizontal);
            look = part.state == 2 ? 1 : part.state == 3 ? 2 : part.state == 4 ? 3 : 0;
        }
        option.subControls = control;
        if (look == 1) {
            option.state |= QStyle::State_MouseOver;
            option.activeSubControls = control;
        } else if (look == 2) {
            option.state |= QStyle::State_Sunken;
            option.activeSubControls = control;
        }

        painter.save();
        painter.setClipRect(option.rect);
        if (gripper) {
            // Three short ridges across the middle of the thumb.
            const QRect r = option.rect;
            const QPoint centre = r.center();
            for (int i = -1; i <= 1; ++i) {
                const int at = 3 * i;
                const QRect ridge = horizontal ? QRect(centre.x() + at, r.top() + 4, 1, r.height() - 8)
                                               : QRect(r.left() + 4, centre.y() + at, r.width() - 8, 1);
                painter.fillRect(ridge, palette.color(QPalette::Light));
                painter.fillRect(ridge.translated(1, 1), palette.color(QPalette::Dark));
            }
        } else if (!drawStyledPart(painter, option, element, qstyle, widget)) {
            paintClassic(painter, enabled, palette); // clipped to this part
        }
        painter.restore();
    }
}
