#pragma once

#include "controls/ScrollbarLayout.h"

#include <QPoint>

// What the pointer and timer rules need from the bar's window.
class ScrollbarHost
{
public:
    virtual void invalidate() = 0;
    virtual void raiseChange() = 0;
    virtual void raiseScroll() = 0;
    // Window timers 1 (first delay) and 2 (repeat); starting one running restarts it.
    virtual void startBarTimer(int id, int periodMs) = 0;
    virtual void stopBarTimer(int id) = 0;

protected:
    ~ScrollbarHost() = default;
};

// The bar's pointer and timer rules on top of its layout: arrow and track presses with
// auto-repeat, thumb dragging within the drag tolerance, hover highlight and release. The hover
// highlight goes when the pointer moves off the lit part or leaves the bar, as the window system
// reports it; no timer watches the pointer.
class ScrollbarInteraction
{
public:
    static constexpr int kDelayTimer = 1;
    static constexpr int kRepeatTimer = 2;

    ScrollbarInteraction(ScrollbarLayout& layout, ScrollbarHost& host);

    [[nodiscard]] int changeDelay() const { return m_changeDelay; }
    [[nodiscard]] int changeFrequency() const { return m_changeFrequency; }
    void setChangeDelay(int changeDelay);
    void setChangeFrequency(int changeFrequency);

    // Value through the property: valueChanged when the stored value moved.
    void setValue(int value);

    void press(int x, int y);
    // flags: the key and button flags of the move; any flag selects the held-button handling.
    void move(int flags, int x, int y);
    // Button release: ends any press; a lit part stays lit.
    void release();
    // The window lost the pointer (deactivated, hidden, grab taken away): as a release, and the
    // hover highlight goes too.
    void cancelMode();
    // The pointer left the bar.
    void pointerLeft();
    void timerFired(int id);

    [[nodiscard]] ScrollPart pressedPart() const { return m_pressedPart; }
    [[nodiscard]] bool isPressed(ScrollPart part) const { return m_pressed[int(part)]; }
    // Only arrows and the thumb get hot.
    [[nodiscard]] bool isHot(ScrollPart part) const { return m_hot[int(part)]; }
    [[nodiscard]] QPoint lastPointer() const { return {m_lastX, m_lastY}; }

private:
    // Steps and reports whether the value changed; invalidates when it did or when asked to.
    bool stepDown(int s, bool redraw);
    bool stepUp(int s, bool redraw);
    void drag(int x, int y);
    void hover(int x, int y);
    void repeat();
    // Clears every hover highlight; true when one was lit.
    bool clearHot();

    ScrollbarLayout& m_layout;
    ScrollbarHost& m_host;
    int m_changeDelay = 500;
    int m_changeFrequency = 50;
    ScrollPart m_pressedPart = ScrollPart::None;
    bool m_pressed[6] = {}; // indexed by ScrollPart
    bool m_hot[6] = {};
    int m_dragOffset = 0;
    int m_valueAtPress = 0;
    int m_lastX = 0;
    int m_lastY = 0;
};
