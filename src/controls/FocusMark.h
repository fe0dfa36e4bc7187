#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

// The keyboard focus mark every self-drawn control shares: a two-pixel ring of a dark blue that
// keeps at least 3:1 contrast against the white, light grey and green surfaces of the window.
class FocusMark
{
public:
    static constexpr QRgb kColour = 0xFF003C8C; // RGB(0, 60, 140)
    static constexpr int kWidth = 2;
    static constexpr double kMinimumContrast = 3.0;

    // Strokes the ring just inside `area`.
    static void paint(QPainter& painter, const QRectF& area);
    // The contrast ratio of two opaque colours (relative luminance, 1:1 to 21:1).
    [[nodiscard]] static double contrast(QRgb a, QRgb b);
};
