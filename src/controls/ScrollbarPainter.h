#pragma once

#include "controls/ScrollbarInteraction.h"
#include "controls/ScrollbarLayout.h"

#include <QBrush>

#include <functional>
#include <vector>

class QPainter;
class QPalette;
class QStyle;
class QWidget;

// Style values: 0 classic, 1 flat, 2 themed (classic unless the platform is themed), 3 owner-drawn.
enum class ScrollbarStyle { Classic = 0, Flat = 1, Themed = 2, OwnerDrawn = 3 };

enum class ArrowGlyph { Up, Down, Left, Right };

// Paints every part of a bar from its layout and its pressed and hot flags, in one of the four
// styles. Colours come from the palette: button face, shadow (Dark), highlight (Light) and button
// text; the track pattern is a one-pixel checkerboard of the palette's Text and Base colours.
class ScrollbarPainter
{
public:
    // One part as the owner-drawn style reports it (part 0..5, state 0 normal, 1 pressed, 2 hot),
    // or as the themed style draws it (the platform scrollbar theme's part and state numbers).
    struct PartPaint {
        WinRect rect;
        int part = 0;
        int state = 0;
        bool operator==(const PartPaint&) const = default;
    };
    using OwnerDraw = std::function<void(const PartPaint&)>;

    static constexpr int kGripperMinThumb = 16;

    ScrollbarPainter(const ScrollbarLayout& layout, const ScrollbarInteraction& input);

    // `qstyle` and `widget` serve the themed style; `ownerDraw` the owner-drawn one.
    void paint(QPainter& painter, int style, bool enabled, bool themed, const QPalette& palette,
               const QStyle* qstyle, const QWidget* widget, const OwnerDraw& ownerDraw) const;

    // The parts in paint order with their owner-drawn numbers and states.
    [[nodiscard]] std::vector<PartPaint> ownerParts() const;
    // The parts in paint order with their theme part and state numbers (gripper included).
    [[nodiscard]] std::vector<PartPaint> themedParts(bool enabled) const;

    // Flat arrow in mode 0 (idle), 1 (pressed: inverted) or 2 (hot: glyph in highlight on shadow).
    static void drawFlatArrow(QPainter& painter, const QRect& rect, ArrowGlyph glyph, int mode,
                              const QPalette& palette);
    // The 8 x 8 checkerboard brush of the track.
    [[nodiscard]] static QBrush trackBrush(const QPalette& palette);

private:
    void paintClassic(QPainter& painter, bool enabled, const QPalette& palette) const;
    void paintFlat(QPainter& painter, bool enabled, const QPalette& palette) const;
    void paintThemed(QPainter& painter, bool enabled, const QPalette& palette, const QStyle& qstyle,
                     const QWidget* widget) const;
    void paintTrack(QPainter& painter, const QPalette& palette, bool enabled) const;
    void paintDisabledThumb(QPainter& painter, const QPalette& palette) const;
    [[nodiscard]] ArrowGlyph glyph(ScrollPart arrow) const;
    [[nodiscard]] bool pressed(ScrollPart part) const { return m_input.isPressed(part); }
    [[nodiscard]] bool hot(ScrollPart part) const { return m_input.isHot(part); }

    const ScrollbarLayout& m_layout;
    const ScrollbarInteraction& m_input;
};
