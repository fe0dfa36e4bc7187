#include "controls/WindowMessage.h"

#include <QMouseEvent>

namespace WindowMessage
{

namespace
{

bool isLeft(const QEvent& event)
{
    return static_cast<const QMouseEvent&>(event).button() == Qt::LeftButton;
}

} // namespace

int fromEvent(const QEvent& event)
{
    switch (event.type()) {
    case QEvent::Resize:
        return kSize;
    case QEvent::Paint:
        return kPaint;
    case QEvent::PaletteChange:
        return kSysColorChange;
    case QEvent::UngrabMouse:
    case QEvent::WindowDeactivate:
    case QEvent::Hide:
        return kCancelMode;
    case QEvent::Timer:
        return kTimer;
    case QEvent::MouseMove:
        return kMouseMove;
    case QEvent::MouseButtonPress:
        return isLeft(event) ? kLButtonDown : kNull;
    case QEvent::MouseButtonRelease:
        return isLeft(event) ? kLButtonUp : kNull;
    case QEvent::MouseButtonDblClick:
        return isLeft(event) ? kLButtonDblClk : kNull;
    case QEvent::Wheel:
        return kMouseWheel;
    case QEvent::StyleChange:
    case QEvent::ThemeChange:
        return kThemeChanged;
    default:
        return kNull;
    }
}

int keyFlags(const QMouseEvent& event)
{
    int flags = 0;
    const Qt::MouseButtons buttons = event.buttons();
    if (buttons & Qt::LeftButton)
        flags |= kFlagLButton;
    if (buttons & Qt::RightButton)
        flags |= kFlagRButton;
    if (buttons & Qt::MiddleButton)
        flags |= kFlagMButton;
    if (event.modifiers() & Qt::ShiftModifier)
        flags |= kFlagShift;
    if (event.modifiers() & Qt::ControlModifier)
        flags |= kFlagControl;
    return flags;
}

} // namespace WindowMessage
