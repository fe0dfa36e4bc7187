#include "controls/TextDraw.h"

#include <QImage>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>

namespace
{

constexpr qreal kUnlimitedWidth = 1e6;

// Line breaks as the text asks for them; QTextLayout only honours the Unicode separator.
QString withLineSeparators(QString text)
{
    text.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    text.replace(QChar('\n'), QChar::LineSeparator);
    return text;
}

// Lays the text out line by line from (0, 0) and returns the size of the lines' union.
QSizeF layOut(QTextLayout& layout, int layoutWidth)
{
    QTextOption option;
    option.setWrapMode(layoutWidth > 0 ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    layout.setTextOption(option);
    qreal width = 0;
    qreal height = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(layoutWidth > 0 ? layoutWidth : kUnlimitedWidth);
        line.setPosition(QPointF(0, height));
        height += line.height();
        width = std::max(width, line.naturalTextWidth());
    }
    layout.endLayout();
    return {width, height};
}

// Draws the laid-out lines at `origin` in `colour`. One-bit glyphs are copied by the raster engine
// without blending, so a see-through colour would punch its alpha into the target; such text is
// drawn opaque on a layer of its own and the layer is blended at the colour's alpha.
void drawLines(QPainter& graphics, const QTextLayout& layout, QPointF origin, QRgb colour, bool clearType)
{
    if (clearType || qAlpha(colour) == 255) {
        graphics.setPen(QColor::fromRgba(colour));
        layout.draw(&graphics, origin);
        return;
    }
    const QRectF bounds = layout.boundingRect();
    const qreal margin = layout.font().pointSizeF() * 2; // overhang of italic and accented glyphs
    const QRect area = bounds.adjusted(-margin, -margin, margin, margin).toAlignedRect();
    QImage glyphs(area.size(), QImage::Format_ARGB32_Premultiplied);
    glyphs.fill(Qt::transparent);
    {
        QPainter local(&glyphs);
        local.setRenderHint(QPainter::TextAntialiasing, false);
        local.setPen(QColor::fromRgb(qRed(colour), qGreen(colour), qBlue(colour)));
        layout.draw(&local, -area.topLeft());
    }
    graphics.save();
    graphics.setOpacity(graphics.opacity() * qAlpha(colour) / 255.0);
    graphics.drawImage(origin + area.topLeft(), glyphs);
    graphics.restore();
}

} // namespace

QFont TextDraw::makeFont(const QString& family, int pointSize, int fontStyle, bool clearType)
{
    QFont font(family);
    font.setPointSize(std::max(1, pointSize));
    font.setBold(fontStyle & FontStyleBold);
    font.setItalic(fontStyle & FontStyleItalic);
    font.setUnderline(fontStyle & FontStyleUnderline);
    font.setStrikeOut(fontStyle & FontStyleStrikeout);
    font.setStyleStrategy(clearType ? QFont::PreferAntialias : QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting); // both hints fit glyphs to the pixel grid
    return font;
}

QRectF TextDraw::MeasureText(const QString& text, const QFont& font, const QPaintDevice* device, float x,
                             float y, int layoutWidth)
{
    QTextLayout layout(withLineSeparators(text), font, const_cast<QPaintDevice*>(device));
    return QRectF(QPointF(x, y), layOut(layout, layoutWidth));
}

QRectF TextDraw::drawText(QPainter& graphics, const QString& text, float x, float y, const QString& family,
                          int pointSize, QRgb argb, int fontStyle, bool shadow, int layoutWidth,
                          bool clearType)
{
    const QFont font = makeFont(family, pointSize, fontStyle, clearType);
    // One layout serves measuring and drawing, so the lines drawn are the lines measured. The
    // draw box is the measured box, so nothing is ever cut off and no ellipsis is needed.
    QTextLayout layout(withLineSeparators(text), font, graphics.device());
    const QRectF box(QPointF(x, y), layOut(layout, layoutWidth));

    graphics.save();
    graphics.setRenderHint(QPainter::TextAntialiasing, clearType);
    if (shadow)
        drawLines(graphics, layout, box.topLeft(), kShadowColor, clearType);
    // With a shadow the text sits one pixel above it.
    const QPointF origin = shadow ? box.topLeft() - QPointF(0, 1) : box.topLeft();
    drawLines(graphics, layout, origin, argb, clearType);
    graphics.restore();
    return box;
}

QRectF TextDraw::drawText(QPaintDevice* target, const QString& text, float x, float y, const QString& family,
                          int pointSize, QRgb argb, int fontStyle, bool shadow, int layoutWidth,
                          bool clearType)
{
    QPainter graphics;
    if (!target || !graphics.begin(target))
        return {};
    return drawText(graphics, text, x, y, family, pointSize, argb, fontStyle, shadow, layoutWidth, clearType);
}
