#include "controls/ListKeys.h"

#include <Qt>

#include <algorithm>

std::optional<int> ListKeys::target(int key, int selected, int count)
{
    if (count <= 0)
        return std::nullopt;
    const int top = count - 1;
    const int from = std::clamp(selected, 0, top);
    switch (key) {
    case Qt::Key_Up:
        return std::min(from + 1, top);
    case Qt::Key_Down:
        return std::max(from - 1, 0);
    case Qt::Key_Home:
        return top;
    case Qt::Key_End:
        return 0;
    default:
        return std::nullopt;
    }
}

bool ListKeys::isActivation(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
}
