#pragma once

// The Load More panel's slide: 2 pixels a tick toward its resting place, flush with the
// viewport's bottom edge when shown, just below the visible area when hidden. A flag change while
// it moves reverses it from where it is.
class LoadMoreSlide
{
public:
    static constexpr int kStep = 2;
    static constexpr int kPeriodMs = 5;

    struct Step {
        int top;
        bool done; // the panel came to rest: stop the timer
    };
    static Step tick(bool shown, int panelTop, int viewportHeight, int panelHeight);
};
