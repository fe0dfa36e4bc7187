#pragma once

class QEvent;
class QMouseEvent;

// The window-message numbers the control logic is written against, and their Qt counterparts.
namespace WindowMessage
{

constexpr int kNull = 0;
constexpr int kSize = 5;
constexpr int kPaint = 15;
constexpr int kSysColorChange = 21;
constexpr int kCancelMode = 31;
constexpr int kTimer = 275;
constexpr int kMouseMove = 512;
constexpr int kLButtonDown = 513;
constexpr int kLButtonUp = 514;
constexpr int kLButtonDblClk = 515;
constexpr int kMouseWheel = 0x020A;
constexpr int kThemeChanged = 794;
// Registering this number selects every message of the window.
constexpr int kEveryMessage = -1;

// Key and button flags of a pointer message (its wParam).
constexpr int kFlagLButton = 0x01;
constexpr int kFlagRButton = 0x02;
constexpr int kFlagShift = 0x04;
constexpr int kFlagControl = 0x08;
constexpr int kFlagMButton = 0x10;

// The message an event stands for, or kNull when it has no counterpart. Only left-button presses,
// releases and double-clicks map to the button messages. Losing the pointer grab, deactivation
// and hiding all cancel a pointer mode; a style or platform theme change is a theme change.
[[nodiscard]] int fromEvent(const QEvent& event);

// The button and modifier flags of a pointer event, as the message's wParam carries them.
[[nodiscard]] int keyFlags(const QMouseEvent& event);

} // namespace WindowMessage
