#include "controls/ScrollbarInteraction.h"

#include <algorithm>

ScrollbarInteraction::ScrollbarInteraction(ScrollbarLayout& layout, ScrollbarHost& host)
    : m_layout(layout), m_host(host)
{
}

void ScrollbarInteraction::setChangeDelay(int changeDelay)
{
    m_changeDelay = std::max(changeDelay, 0);
}

void ScrollbarInteraction::setChangeFrequency(int changeFrequency)
{
    m_changeFrequency = std::max(changeFrequency, ScrollbarLayout::kMinChangeFrequency);
}

void ScrollbarInteraction::setValue(int value)
{
    const bool changed = m_layout.setValue(value);
    m_host.invalidate();
    if (changed)
        m_host.raiseChange();
}

bool ScrollbarInteraction::stepDown(int s, bool redraw)
{
    const bool changed = m_layout.stepDown(s);
    if (changed || redraw)
        m_host.invalidate();
    if (changed)
        m_host.raiseChange();
    return changed;
}

bool ScrollbarInteraction::stepUp(int s, bool redraw)
{
    const bool changed = m_layout.stepUp(s);
    if (changed || redraw)
        m_host.invalidate();
    if (changed)
        m_host.raiseChange();
    return changed;
}

void ScrollbarInteraction::press(int x, int y)
{
    m_lastX = x;
    m_lastY = y;
    m_pressedPart = m_layout.hitTest(x, y);
    switch (m_pressedPart) {
    case ScrollPart::FirstArrow:
        m_pressed[int(ScrollPart::FirstArrow)] = true;
        m_hot[int(ScrollPart::FirstArrow)] = false;
        stepDown(m_layout.smallChange(), true);
        break;
    case ScrollPart::SecondArrow:
        m_pressed[int(ScrollPart::SecondArrow)] = true;
        m_hot[int(ScrollPart::SecondArrow)] = false;
        stepUp(m_layout.smallChange(), true);
        break;
    case ScrollPart::FirstTrack:
        m_pressed[int(ScrollPart::FirstTrack)] = true;
        stepDown(m_layout.largeChange(), false);
        break;
    case ScrollPart::SecondTrack:
        m_pressed[int(ScrollPart::SecondTrack)] = true;
        stepUp(m_layout.largeChange(), false);
        break;
    case ScrollPart::Thumb: {
        const WinRect& thumb = m_layout.rect(ScrollPart::Thumb);
        m_dragOffset = m_layout.isHorizontal() ? thumb.left - x : thumb.top - y;
        m_valueAtPress = m_layout.value();
        m_pressed[int(ScrollPart::Thumb)] = true;
        m_hot[int(ScrollPart::Thumb)] = false;
        m_host.invalidate();
        return;
    }
    case ScrollPart::None:
        return;
    }
    m_host.stopBarTimer(kDelayTimer);
    m_host.startBarTimer(kDelayTimer, m_changeDelay);
}

void ScrollbarInteraction::move(int flags, int x, int y)
{
    if (flags == 0) {
        hover(x, y);
        return;
    }
    m_lastX = x;
    m_lastY = y;
    if (m_pressedPart == ScrollPart::FirstArrow || m_pressedPart == ScrollPart::SecondArrow) {
        const bool inside = m_layout.rect(m_pressedPart).contains(x, y);
        bool& pressed = m_pressed[int(m_pressedPart)];
        if (pressed != inside) {
            pressed = inside;
            m_host.invalidate();
        }
    } else if (m_pressedPart == ScrollPart::Thumb) {
        drag(x, y);
    }
}

void ScrollbarInteraction::drag(int x, int y)
{
    const int oldValue = m_layout.value();
    const int oldPosition = m_layout.thumbPosition();
    if (m_layout.dragTolerance().contains(x, y)) {
        m_layout.setThumbPosition(m_dragOffset + m_layout.along(x, y));
        m_layout.setValue(m_layout.valueFromThumb(m_layout.thumbPosition()));
        // Setting the value placed the thumb on the value's pixel; keep it under the pointer.
        m_layout.setThumbPosition(m_dragOffset + m_layout.along(x, y));
    } else {
        // Too far off the bar: back to where the drag began until the pointer returns.
        m_layout.setValue(m_valueAtPress);
    }
    if (m_layout.thumbPosition() != oldPosition || m_layout.value() != oldValue)
        m_host.invalidate();
    if (m_layout.value() != oldValue)
        m_host.raiseScroll();
}

void ScrollbarInteraction::hover(int x, int y)
{
    const ScrollPart part = m_layout.hitTest(x, y);
    if (part != ScrollPart::FirstArrow && part != ScrollPart::SecondArrow && part != ScrollPart::Thumb) {
        // Off the lit part onto one that never lights: the highlight goes.
        if (clearHot())
            m_host.invalidate();
        return;
    }
    if (m_hot[int(part)])
        return;
    clearHot();
    m_hot[int(part)] = true;
    m_host.invalidate();
}

bool ScrollbarInteraction::clearHot()
{
    const bool lit = std::find(std::begin(m_hot), std::end(m_hot), true) != std::end(m_hot);
    std::fill(std::begin(m_hot), std::end(m_hot), false);
    return lit;
}

void ScrollbarInteraction::pointerLeft()
{
    if (clearHot())
        m_host.invalidate();
}

void ScrollbarInteraction::cancelMode()
{
    clearHot();
    release();
}

void ScrollbarInteraction::release()
{
    m_host.stopBarTimer(kDelayTimer);
    m_host.stopBarTimer(kRepeatTimer);
    const bool dragged = m_pressedPart == ScrollPart::Thumb && m_layout.value() != m_valueAtPress;
    m_pressedPart = ScrollPart::None;
    std::fill(std::begin(m_pressed), std::end(m_pressed), false);
    m_layout.placeThumb();
    m_host.invalidate();
    if (dragged)
        m_host.raiseChange();
}

void ScrollbarInteraction::timerFired(int id)
{
    switch (id) {
    case kDelayTimer:
        m_host.stopBarTimer(kDelayTimer);
        m_host.startBarTimer(kRepeatTimer, m_changeFrequency);
        break;
    case kRepeatTimer:
        repeat();
        break;
    default:
        break;
    }
}

void ScrollbarInteraction::repeat()
{
    const int pointer = m_layout.along(m_lastX, m_lastY);
    switch (m_pressedPart) {
    case ScrollPart::FirstArrow:
    case ScrollPart::SecondArrow: {
        if (!m_layout.rect(m_pressedPart).contains(m_lastX, m_lastY))
            break;
        const int s = m_layout.smallChange();
        const bool changed = m_pressedPart == ScrollPart::FirstArrow ? stepDown(s, false) : stepUp(s, false);
        if (!changed)
            m_host.stopBarTimer(kRepeatTimer);
        break;
    }
    case ScrollPart::FirstTrack:
        // Pages toward the pointer; once the thumb has reached it the timer idles until it moves on.
        if (m_layout.thumbPosition() > pointer) {
            m_pressed[int(ScrollPart::FirstTrack)] = true;
            stepDown(m_layout.largeChange(), false);
        } else {
            m_pressed[int(ScrollPart::FirstTrack)] = false;
            m_host.invalidate();
        }
        break;
    case ScrollPart::SecondTrack:
        if (m_layout.thumbPosition() + m_layout.thumbLength() < pointer) {
            m_pressed[int(ScrollPart::SecondTrack)] = true;
            stepUp(m_layout.largeChange(), false);
        } else {
            m_pressed[int(ScrollPart::SecondTrack)] = false;
            m_host.invalidate();
        }
        break;
    default:
        break;
    }
}
