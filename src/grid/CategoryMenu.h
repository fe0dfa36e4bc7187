#pragma once

class LayerListWidget;

// The category column: one row per catalogue category, loaded in the category table's order.
// Layers show in reverse, so "Mobile Icons" (index 0) is the bottom row and starts highlighted,
// and "Animal Icons" (index 19) is the top row.
class CategoryMenu
{
public:
    static constexpr int kRowImageSize = 16; // nominal size of a row without an image

    // Loads the 20 captions, renders them and shows the result. Called once at start-up.
    static void fill(LayerListWidget& menuPanel);
    // The category table index a release on the menu chose. Rows are loaded in table order, so
    // the selected layer is the table index; a value outside the table passes through for the
    // catalogue client to treat as "keep the current keyword".
    [[nodiscard]] static int categoryIndexForSelected(int selectedIndex) { return selectedIndex; }
};
