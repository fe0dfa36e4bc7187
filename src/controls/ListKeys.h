#pragma once

#include <optional>

// The keys of the layered list, in layer terms (layers show in reverse: the last loaded on top).
// Up and Down move the selection a row, Home and End to the top and bottom rows; Enter, Return
// and Space choose the selected row.
class ListKeys
{
public:
    // The layer a navigation key selects, from `selected` among `count` layers; nothing for
    // other keys or an empty list.
    [[nodiscard]] static std::optional<int> target(int key, int selected, int count);
    [[nodiscard]] static bool isActivation(int key);
};
