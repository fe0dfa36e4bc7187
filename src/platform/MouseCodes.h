#pragma once

#include <Qt>

// The (button, modifiers) codes every control raises with its pointer events: button 1 left,
// 2 right, 4 middle (a mask while moving); modifiers 1 shift, 2 ctrl, 4 alt.
namespace MouseCodes
{

inline int button(Qt::MouseButtons buttons)
{
    return (buttons.testFlag(Qt::LeftButton) ? 1 : 0) | (buttons.testFlag(Qt::RightButton) ? 2 : 0) |
           (buttons.testFlag(Qt::MiddleButton) ? 4 : 0);
}

inline int shift(Qt::KeyboardModifiers modifiers)
{
    return (modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0) |
           (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0) | (modifiers.testFlag(Qt::AltModifier) ? 4 : 0);
}

} // namespace MouseCodes
