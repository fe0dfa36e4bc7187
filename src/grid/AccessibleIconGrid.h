#pragma once

#include <QAccessibleWidget>

class IconGrid;

// The results grid as assistive technology sees it: a list whose children are the tiles that
// show a result, in result order; its focus child is the focused tile.
class AccessibleIconGrid : public QAccessibleWidget
{
public:
    explicit AccessibleIconGrid(IconGrid* grid);

    [[nodiscard]] int childCount() const override;
    [[nodiscard]] QAccessibleInterface* child(int index) const override;
    [[nodiscard]] int indexOfChild(const QAccessibleInterface* child) const override;
    [[nodiscard]] QAccessibleInterface* focusChild() const override;

private:
    [[nodiscard]] IconGrid* grid() const;
};
