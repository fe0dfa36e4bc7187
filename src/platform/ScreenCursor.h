#pragma once

// The screen-wide mouse pointer shapes, named by their classic numbers: 0 default, 11 hourglass,
// 13 arrow with hourglass. Set to a busy shape replaces the current override; 0 removes it.
class ScreenCursor
{
public:
    static constexpr int Default = 0;
    static constexpr int Hourglass = 11;
    static constexpr int ArrowHourglass = 13;

    static void set(int shape);
    static int current();
};
