#include "grid/GridKeys.h"

#include <algorithm>

GridKeys::Action GridKeys::action(int key, Qt::KeyboardModifiers modifiers)
{
    const bool ctrl = modifiers & Qt::ControlModifier;
    switch (key) {
    case Qt::Key_Left:
        return Action::Left;
    case Qt::Key_Right:
        return Action::Right;
    case Qt::Key_Up:
        return Action::Up;
    case Qt::Key_Down:
        return Action::Down;
    case Qt::Key_PageUp:
        return Action::PageUp;
    case Qt::Key_PageDown:
        return Action::PageDown;
    case Qt::Key_Home:
        return Action::Home;
    case Qt::Key_End:
        return Action::End;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return ctrl ? Action::OpenPost : Action::Download;
    case Qt::Key_Menu:
        return Action::ContextMenu;
    case Qt::Key_F10:
        return modifiers & Qt::ShiftModifier ? Action::ContextMenu : Action::None;
    case Qt::Key_C:
        return ctrl ? Action::CopyImage : Action::None;
    default:
        return Action::None;
    }
}

int GridKeys::target(Action move, int current, int count, int columns, int rowsPerScreen)
{
    if (count <= 0 || columns <= 0)
        return 0;
    const int last = count - 1;
    const int from = std::clamp(current, 0, last);
    const int page = columns * std::max(rowsPerScreen, 1);
    const int lastRowStart = last / columns * columns;
    switch (move) {
    case Action::Left:
        return std::max(from - 1, 0);
    case Action::Right:
        return std::min(from + 1, last);
    case Action::Up:
        return from >= columns ? from - columns : from;
    case Action::Down:
        return from < lastRowStart ? std::min(from + columns, last) : from;
    case Action::PageUp:
        return from >= page ? from - page : from % columns;
    case Action::PageDown:
        if (from + page <= last)
            return from + page;
        return from < lastRowStart ? std::min(lastRowStart + from % columns, last) : from;
    case Action::Home:
        return 0;
    case Action::End:
        return last;
    default:
        return from;
    }
}
