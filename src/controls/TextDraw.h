#pragma once

#include <QFont>
#include <QRectF>
#include <QRgb>
#include <QString>

class QPainter;
class QPaintDevice;

// The text routine shared by the self-drawn controls: a caption at a point, wrapped inside a
// layout width and growing downward without a height limit, with an optional shadow one pixel
// below the text.
class TextDraw
{
public:
    // Font style bits, as the controls pass them.
    static constexpr int FontStyleBold = 1;
    static constexpr int FontStyleItalic = 2;
    static constexpr int FontStyleUnderline = 4;
    static constexpr int FontStyleStrikeout = 8;

    static constexpr QRgb kShadowColor = 0xC8000000; // ARGB(200, 0, 0, 0)

    // The font for a family, a size in points and style bits. ClearType asks for antialiased,
    // fully hinted glyphs; without it glyphs are one bit per pixel.
    [[nodiscard]] static QFont makeFont(const QString& family, int pointSize, int fontStyle, bool clearType);

    // The box the text takes at (x, y) on `device`, wrapped within layoutWidth (0 or less: no
    // limit). Words longer than the width break between characters.
    [[nodiscard]] static QRectF MeasureText(const QString& text, const QFont& font,
                                            const QPaintDevice* device, float x, float y, int layoutWidth);

    // Draws on an open painter and returns the box the text was drawn in (before the shadow
    // offset). The painter's state is left as it was.
    static QRectF drawText(QPainter& graphics, const QString& text, float x, float y, const QString& family,
                           int pointSize, QRgb argb, int fontStyle, bool shadow, int layoutWidth,
                           bool clearType);
    // The same on a device, with a painter of its own for the call. A device that cannot be
    // painted on draws nothing and gives an empty box.
    static QRectF drawText(QPaintDevice* target, const QString& text, float x, float y, const QString& family,
                           int pointSize, QRgb argb, int fontStyle, bool shadow, int layoutWidth,
                           bool clearType);
};
