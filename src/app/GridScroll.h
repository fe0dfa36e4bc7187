#pragma once

#include <Qt>

#include <functional>

class QWidget;
class Scrollbar;

// The results grid's scroll model: the surface's top inside its viewport is always minus the
// scrollbar's value; the range is the surface height, plus what the host reserves below it (room
// for a panel over the viewport's bottom), minus the viewport height, and one step is a row of 200
// pixels while there is something to scroll. With no results nothing moves.
class GridScroll
{
public:
    GridScroll(QWidget* viewport, QWidget* surface, Scrollbar* bar, std::function<bool()> hasResults,
               std::function<int()> bottomReserve);

    // Recomputes the range from the two heights, then lets the surface follow the value.
    void updateScrollRange();
    // The scrollbar's valueChanged and scrolled handler.
    void follow();
    // One smallChange down (+1) or up (-1).
    void step(int direction);
    // Page Up and Page Down move by the rows the viewport holds, Ctrl+Home and Ctrl+End go to the
    // ends. Returns whether the key was one of these.
    bool handleKey(int key, Qt::KeyboardModifiers modifiers);
    // Scrolls as little as needed to show the surface's rows from top to bottom (the top wins
    // when they are taller than the viewport).
    void showRange(int top, int bottom);
    [[nodiscard]] static int valueShowing(int value, int top, int bottom, int viewportHeight);

private:
    QWidget* m_viewport;
    QWidget* m_surface;
    Scrollbar* m_bar;
    std::function<bool()> m_hasResults;
    std::function<int()> m_bottomReserve;
};
