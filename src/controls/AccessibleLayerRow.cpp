#include "controls/AccessibleLayerRow.h"

#include "controls/LayerListWidget.h"
#include "controls/Scrollbar.h"

#include <QWidget>

AccessibleLayerRow::AccessibleLayerRow(LayerListWidget* list, int row) : m_list(list), m_row(row) {}

bool AccessibleLayerRow::isValid() const
{
    return m_list && m_row < m_list->layers().count();
}

QWindow* AccessibleLayerRow::window() const
{
    return m_list ? m_list->window()->windowHandle() : nullptr;
}

QAccessibleInterface* AccessibleLayerRow::parent() const
{
    return m_list ? QAccessible::queryAccessibleInterface(m_list.data()) : nullptr;
}

int AccessibleLayerRow::layer() const
{
    return m_list->layers().layerOfRow(m_row);
}

QString AccessibleLayerRow::text(QAccessible::Text t) const
{
    if (!isValid() || t != QAccessible::Name)
        return {};
    return m_list->layers().layer(layer()).caption;
}

QRect AccessibleLayerRow::rect() const
{
    if (!isValid())
        return {};
    const QRect local(0, LayerList::kItemHeight * m_row - m_list->scrollbar()->value(),
                      m_list->width() - m_list->scrollbar()->width(), LayerList::kItemHeight);
    return QRect(m_list->mapToGlobal(local.topLeft()), local.size());
}

QAccessible::State AccessibleLayerRow::state() const
{
    QAccessible::State s;
    if (!isValid()) {
        s.invalid = true;
        return s;
    }
    s.selectable = true;
    s.focusable = true;
    s.selected = layer() == m_list->selectedIndex();
    s.focused = s.selected && m_list->hasFocus();
    const QRect shown = m_list->rect();
    const QRect local(m_list->mapFromGlobal(rect().topLeft()), rect().size());
    s.invisible = !m_list->isVisible();
    s.offscreen = !shown.intersects(local);
    return s;
}

void* AccessibleLayerRow::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ActionInterface)
        return static_cast<QAccessibleActionInterface*>(this);
    return nullptr;
}

QStringList AccessibleLayerRow::actionNames() const
{
    return {pressAction()};
}

void AccessibleLayerRow::doAction(const QString& actionName)
{
    if (isValid() && actionName == pressAction())
        m_list->chooseLayer(layer());
}
