#include "controls/AccessibleLayerList.h"

#include "controls/AccessibleLayerRow.h"
#include "controls/LayerListWidget.h"

AccessibleLayerList::AccessibleLayerList(LayerListWidget* list) : QAccessibleWidget(list, QAccessible::List)
{
}

AccessibleLayerList::~AccessibleLayerList()
{
    for (const QAccessible::Id id : std::as_const(m_rows))
        QAccessible::deleteAccessibleInterface(id);
}

LayerListWidget* AccessibleLayerList::list() const
{
    return static_cast<LayerListWidget*>(widget());
}

// The inner scrollbar is an implementation detail of the rows' view; only the rows are children.
int AccessibleLayerList::childCount() const
{
    return list()->layers().count();
}

QAccessibleInterface* AccessibleLayerList::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    auto it = m_rows.constFind(index);
    if (it == m_rows.constEnd())
        it = m_rows.insert(index,
                           QAccessible::registerAccessibleInterface(new AccessibleLayerRow(list(), index)));
    return QAccessible::accessibleInterface(*it);
}

int AccessibleLayerList::indexOfChild(const QAccessibleInterface* child) const
{
    if (!child || child->role() != QAccessible::ListItem || child->parent() != this)
        return -1;
    return static_cast<const AccessibleLayerRow*>(child)->row();
}

QAccessibleInterface* AccessibleLayerList::childAt(int x, int y) const
{
    for (int row = 0; row < childCount(); ++row) {
        QAccessibleInterface* c = child(row);
        if (c->rect().contains(x, y))
            return c;
    }
    return nullptr;
}

QAccessibleInterface* AccessibleLayerList::focusChild() const
{
    if (!list()->hasFocus())
        return nullptr;
    return child(rowOfLayer(list()->selectedIndex()));
}

int AccessibleLayerList::rowOfLayer(int layer) const
{
    return list()->layers().layerOfRow(layer); // the mapping is its own inverse
}
