#include "grid/AccessibleIconGrid.h"

#include "grid/IconGrid.h"
#include "grid/IconTile.h"

AccessibleIconGrid::AccessibleIconGrid(IconGrid* grid) : QAccessibleWidget(grid, QAccessible::List) {}

IconGrid* AccessibleIconGrid::grid() const
{
    return static_cast<IconGrid*>(widget());
}

int AccessibleIconGrid::childCount() const
{
    return grid()->shownTileCount();
}

QAccessibleInterface* AccessibleIconGrid::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    return QAccessible::queryAccessibleInterface(grid()->tile(index));
}

int AccessibleIconGrid::indexOfChild(const QAccessibleInterface* child) const
{
    if (!child)
        return -1;
    for (int k = 0; k < childCount(); ++k) {
        if (grid()->tile(k) == child->object())
            return k;
    }
    return -1;
}

QAccessibleInterface* AccessibleIconGrid::focusChild() const
{
    return child(grid()->focusedTile());
}
