#pragma once

#include <QRect>

// A window rectangle: right and bottom are exclusive, as the bar's rules are written.
struct WinRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    // Left and top inclusive, right and bottom exclusive.
    [[nodiscard]] bool contains(int x, int y) const
    {
        return x >= left && x < right && y >= top && y < bottom;
    }
    [[nodiscard]] bool isEmpty() const { return right <= left || bottom <= top; }
    [[nodiscard]] QRect toQRect() const { return QRect(left, top, right - left, bottom - top); }
    bool operator==(const WinRect&) const = default;
};

// Hit-test and pressed-part numbers; the filler is never hit.
enum class ScrollPart {
    None = 0,
    FirstArrow = 1,
    SecondArrow = 2,
    FirstTrack = 3,
    SecondTrack = 4,
    Thumb = 5
};

// Orientation values: 0 vertical, 1 horizontal.
enum class ScrollOrientation { Vertical = 0, Horizontal = 1 };

// The bar's value model and geometry, without a window: the value range and steps, the button
// layout for any size (including bars too short for a track), the thumb's length and position
// and the value a dragged thumb stands for.
class ScrollbarLayout
{
public:
    static constexpr int kButtonMetric = 17; // arrow button size along the bar
    static constexpr int kMinThumbLength = 8;
    static constexpr int kDragAcross = 250; // drag tolerance across the bar
    static constexpr int kDragAlong = 25;   // drag tolerance beyond the bar's ends
    static constexpr int kMinChangeFrequency = 25;

    ScrollbarLayout();

    [[nodiscard]] int min() const { return m_min; }
    [[nodiscard]] int max() const { return m_max; }
    [[nodiscard]] int value() const { return m_value; }
    // Wide so that extreme limits cannot overflow.
    [[nodiscard]] long long range() const { return (long long)m_max - m_min; }
    [[nodiscard]] int smallChange() const { return m_smallChange; }
    [[nodiscard]] int largeChange() const { return m_largeChange; }
    [[nodiscard]] int orientation() const { return m_orientation; }
    [[nodiscard]] bool isHorizontal() const { return m_orientation == int(ScrollOrientation::Horizontal); }
    [[nodiscard]] bool showButtons() const { return m_showButtons; }

    // maximum never drops below minimum (and minimum never rises above maximum); a value left outside is
    // pulled in. The thumb follows.
    void setMaximum(int maximum);
    void setMinimum(int minimum);
    // Clamps into [minimum, maximum] and places the thumb; true when the stored value changed.
    bool setValue(int value);
    void setSmallChange(int smallChange);
    void setLargeChange(int largeChange);
    void setOrientation(int orientation);
    void setShowButtons(bool show);
    void setSize(int width, int height);
    // All value properties at once (as persisted), held to the same rules as the single setters,
    // then a full re-layout.
    void load(int min, int max, int value, int smallChange, int largeChange, int orientation,
              bool showButtons);

    // Value minus (or plus) s, held within the range; true when it changed.
    bool stepDown(int s);
    bool stepUp(int s);

    // Full re-layout: buttons, then thumb length, position and rectangles.
    void relayout();
    // Thumb position from the value, then the part rectangles.
    void placeThumb();
    // The thumb at pixel p (leading edge), clamped to the track; the value is left alone.
    void setThumbPosition(int p);
    [[nodiscard]] int valueFromThumb(int p) const;
    [[nodiscard]] int thumbFromValue(int v) const;

    [[nodiscard]] int width() const { return m_width; }
    [[nodiscard]] int height() const { return m_height; }
    [[nodiscard]] int thumbLength() const { return m_thumbLength; }
    [[nodiscard]] int thumbPosition() const { return m_thumbPosition; }
    [[nodiscard]] int trackLength() const { return trackEnd() - trackStart(); }
    // First arrow's trailing edge and second arrow's leading edge along the bar.
    [[nodiscard]] int trackStart() const;
    [[nodiscard]] int trackEnd() const;
    [[nodiscard]] bool trackVisible() const { return m_trackVisible; }
    [[nodiscard]] bool fillerVisible() const { return m_fillerVisible; }
    [[nodiscard]] const WinRect& rect(ScrollPart part) const;
    [[nodiscard]] const WinRect& filler() const { return m_filler; }
    [[nodiscard]] const WinRect& dragTolerance() const { return m_dragTolerance; }

    // The first part containing the point, in the order arrows, track segments, thumb.
    [[nodiscard]] ScrollPart hitTest(int x, int y) const;
    // The coordinate along the bar: y when vertical, x when horizontal.
    [[nodiscard]] int along(int x, int y) const { return isHorizontal() ? x : y; }

private:
    void layoutButtons();
    void computeThumbLength();
    void computeRects();
    // Builds a rectangle from coordinates along and across the bar.
    [[nodiscard]] WinRect oriented(int alongStart, int acrossStart, int alongEnd, int acrossEnd) const;

    int m_min = 0;
    int m_max = 100;
    int m_value = 0;
    int m_smallChange = 1;
    int m_largeChange = 10;
    int m_orientation = int(ScrollOrientation::Vertical);
    bool m_showButtons = true;

    int m_width = 0;
    int m_height = 0;
    int m_thumbLength = 0;
    int m_thumbPosition = 0;
    bool m_trackVisible = false;
    bool m_fillerVisible = false;
    WinRect m_parts[6]; // indexed by ScrollPart; [0] stays empty
    WinRect m_filler;
    WinRect m_dragTolerance;
};
