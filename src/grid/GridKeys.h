#pragma once

#include <Qt>

// The results grid's keys and where its moves take the focused tile. Arrows move a tile (up and
// down by a row), Page Up and Page Down by the rows a screen holds, Home and End to the first and
// last tile; Enter downloads, Ctrl+Enter opens the post page, the Menu key or Shift+F10 opens the
// tile's menu and Ctrl+C copies its image.
class GridKeys
{
public:
    enum class Action {
        None,
        Left,
        Right,
        Up,
        Down,
        PageUp,
        PageDown,
        Home,
        End,
        Download,
        OpenPost,
        ContextMenu,
        CopyImage
    };

    [[nodiscard]] static Action action(int key, Qt::KeyboardModifiers modifiers);
    [[nodiscard]] static bool isMove(Action action)
    {
        return action >= Action::Left && action <= Action::End;
    }
    // The tile a move takes the focus to from `current`, among `count` tiles laid out in
    // `columns` columns; a screen shows `rowsPerScreen` rows. Moves stop at the edges; a page
    // move past the end lands on the last row (the last tile when the column has none there).
    [[nodiscard]] static int target(Action move, int current, int count, int columns, int rowsPerScreen);
};
