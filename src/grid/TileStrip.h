#pragma once

#include <QPoint>
#include <QSize>

// The tile's button strip (download and licence buttons side by side) as a state machine: its
// placement on resize, the reveal and hide animations and the active flag. The tile widget runs
// the timers; tests drive the ticks directly.
class TileStrip
{
public:
    static constexpr int kButtonSize = 17;
    static constexpr int kGap = 4;
    static constexpr int kRevealPeriodMs = 5;
    static constexpr int kHidePeriodMs = 10;

    // Puts the strip just below the visible area of a tile of the given inner size, whatever its
    // state; a running animation continues from there.
    void resize(int tileWidth, int tileHeight);

    // Starts revealing unless the strip is already active, so repeated moves do not restart it.
    void mouseActive();
    // Clears the active flag and starts hiding (also from the hidden position).
    void hide();
    // Back to hidden and inactive at once, no animation (a tile reused for a new result set).
    void reset();

    // One tick of the reveal animation: up by one pixel; stops once the top passes SH - size - 2.
    void revealTick();
    // One tick of the hide animation: down by one pixel; stops once the top is below SH.
    void hideTick();

    [[nodiscard]] int top() const { return m_top; }
    [[nodiscard]] QSize tileSize() const { return {m_tileWidth, m_tileHeight}; }
    [[nodiscard]] QPoint infoPos() const { return {m_infoLeft, m_top}; }
    [[nodiscard]] QPoint downloadPos() const { return {m_infoLeft - kButtonSize - kGap, m_top}; }
    [[nodiscard]] bool isActive() const { return m_active; }
    [[nodiscard]] bool isRevealing() const { return m_revealing; }
    [[nodiscard]] bool isHiding() const { return m_hiding; }

    // Resting tops for a tile of height SH.
    [[nodiscard]] static int shownTop(int tileHeight) { return tileHeight - kButtonSize - 3; }
    [[nodiscard]] static int hiddenTop(int tileHeight) { return tileHeight + 1; }

private:
    int m_tileWidth = 0;
    int m_tileHeight = 0;
    int m_infoLeft = 0;
    int m_top = 0;
    bool m_active = false;
    bool m_revealing = false;
    bool m_hiding = false;
};
