#include "controls/ScrollbarLayout.h"

#include <algorithm>
#include <cmath>

ScrollbarLayout::ScrollbarLayout()
{
    relayout();
}

void ScrollbarLayout::setMaximum(int maximum)
{
    m_max = std::max(maximum, m_min);
    m_value = std::min(m_value, m_max);
    computeThumbLength();
    placeThumb();
}

void ScrollbarLayout::setMinimum(int minimum)
{
    m_min = std::min(minimum, m_max);
    m_value = std::max(m_value, m_min);
    computeThumbLength();
    placeThumb();
}

bool ScrollbarLayout::setValue(int value)
{
    const int old = m_value;
    m_value = std::clamp(value, m_min, m_max);
    placeThumb();
    return m_value != old;
}

void ScrollbarLayout::setSmallChange(int smallChange)
{
    m_smallChange = std::max(smallChange, 1);
    computeThumbLength();
    placeThumb();
}

void ScrollbarLayout::setLargeChange(int largeChange)
{
    m_largeChange = std::max(largeChange, 1);
    computeThumbLength();
    placeThumb();
}

void ScrollbarLayout::setOrientation(int orientation)
{
    m_orientation =
        std::clamp(orientation, int(ScrollOrientation::Vertical), int(ScrollOrientation::Horizontal));
    relayout();
}

void ScrollbarLayout::setShowButtons(bool show)
{
    m_showButtons = show;
    relayout();
}

void ScrollbarLayout::setSize(int width, int height)
{
    m_width = std::max(width, 0);
    m_height = std::max(height, 0);
    relayout();
}

void ScrollbarLayout::load(int min, int max, int value, int smallChange, int largeChange, int orientation,
                           bool showButtons)
{
    m_min = min;
    m_max = std::max(max, min);
    m_value = std::clamp(value, m_min, m_max);
    m_smallChange = std::max(smallChange, 1);
    m_largeChange = std::max(largeChange, 1);
    m_orientation =
        std::clamp(orientation, int(ScrollOrientation::Vertical), int(ScrollOrientation::Horizontal));
    m_showButtons = showButtons;
    relayout();
}

bool ScrollbarLayout::stepDown(int s)
{
    const int old = m_value;
    m_value = int(std::max((long long)m_value - s, (long long)m_min));
    if (m_value != old)
        placeThumb();
    return m_value != old;
}

bool ScrollbarLayout::stepUp(int s)
{
    const int old = m_value;
    m_value = int(std::min((long long)m_value + s, (long long)m_max));
    if (m_value != old)
        placeThumb();
    return m_value != old;
}

void ScrollbarLayout::relayout()
{
    layoutButtons();
    computeThumbLength();
    placeThumb();
}

void ScrollbarLayout::placeThumb()
{
    m_thumbPosition = thumbFromValue(m_value);
    computeRects();
}

void ScrollbarLayout::setThumbPosition(int p)
{
    const int lowest = trackStart();
    const int highest = std::max(lowest, trackEnd() - m_thumbLength);
    m_thumbPosition = std::clamp(p, lowest, highest);
    computeRects();
}

int ScrollbarLayout::thumbFromValue(int v) const
{
    if (range() == 0)
        return trackStart();
    const double room = trackLength() - m_thumbLength;
    return trackStart() + int(std::nearbyint(room / double(range()) * double((long long)v - m_min)));
}

int ScrollbarLayout::valueFromThumb(int p) const
{
    const int room = trackLength() - m_thumbLength;
    if (room == 0)
        return m_min;
    const double offset = double(p - trackStart()) / room * double(range());
    return int(
        std::clamp((long long)m_min + (long long)std::nearbyint(offset), (long long)m_min, (long long)m_max));
}

int ScrollbarLayout::trackStart() const
{
    const WinRect& first = m_parts[int(ScrollPart::FirstArrow)];
    return isHorizontal() ? first.right : first.bottom;
}

int ScrollbarLayout::trackEnd() const
{
    const WinRect& second = m_parts[int(ScrollPart::SecondArrow)];
    return isHorizontal() ? second.left : second.top;
}

const WinRect& ScrollbarLayout::rect(ScrollPart part) const
{
    return m_parts[int(part)];
}

ScrollPart ScrollbarLayout::hitTest(int x, int y) const
{
    for (int part = int(ScrollPart::FirstArrow); part <= int(ScrollPart::Thumb); ++part) {
        if (m_parts[part].contains(x, y))
            return ScrollPart(part);
    }
    return ScrollPart::None;
}

WinRect ScrollbarLayout::oriented(int alongStart, int acrossStart, int alongEnd, int acrossEnd) const
{
    if (isHorizontal())
        return {alongStart, acrossStart, alongEnd, acrossEnd};
    return {acrossStart, alongStart, acrossEnd, alongEnd};
}

void ScrollbarLayout::layoutButtons()
{
    const int length = isHorizontal() ? m_width : m_height;
    const int across = isHorizontal() ? m_height : m_width;
    const int b = m_showButtons ? kButtonMetric : 0;
    WinRect& first = m_parts[int(ScrollPart::FirstArrow)];
    WinRect& second = m_parts[int(ScrollPart::SecondArrow)];
    m_trackVisible = false;
    m_fillerVisible = false;
    m_filler = {};

    if (length >= 8 + 2 * b) {
        m_trackVisible = true;
        first = oriented(0, 0, b, across);
        second = oriented(length - b, 0, length, across);
    } else if (2 * b >= length) {
        // Too short for full buttons: two half-length buttons, split by a filler row when odd.
        const int half = length / 2;
        first = oriented(0, 0, half, across);
        second = oriented(half + length % 2, 0, length, across);
        if (length % 2 != 0) {
            m_filler = oriented(half, 0, half + 1, across);
            m_fillerVisible = true;
        }
    } else {
        first = oriented(0, 0, b, across);
        second = oriented(length - b, 0, length, across);
        m_filler = oriented(b, 0, length - b, across);
        m_fillerVisible = true;
    }

    if (isHorizontal())
        m_dragTolerance = {-kDragAlong, -kDragAcross, m_width + kDragAlong, m_height + kDragAcross};
    else
        m_dragTolerance = {-kDragAcross, -kDragAlong, m_width + kDragAcross, m_height + kDragAlong};
}

void ScrollbarLayout::computeThumbLength()
{
    const long long divisions = range() / m_largeChange + 1;
    m_thumbLength = std::max(int(trackLength() / divisions), kMinThumbLength);
}

void ScrollbarLayout::computeRects()
{
    for (int part = int(ScrollPart::FirstTrack); part <= int(ScrollPart::Thumb); ++part)
        m_parts[part] = {};
    if (!m_trackVisible)
        return;
    const int across = isHorizontal() ? m_height : m_width;
    const int p = m_thumbPosition;
    m_parts[int(ScrollPart::FirstTrack)] = oriented(trackStart(), 0, p, across);
    m_parts[int(ScrollPart::SecondTrack)] = oriented(p + m_thumbLength, 0, trackEnd(), across);
    m_parts[int(ScrollPart::Thumb)] = oriented(p, 0, p + m_thumbLength, across);
}
