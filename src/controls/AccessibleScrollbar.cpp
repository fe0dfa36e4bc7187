#include "controls/AccessibleScrollbar.h"

#include "controls/Scrollbar.h"

AccessibleScrollbar::AccessibleScrollbar(Scrollbar* bar) : QAccessibleWidget(bar, QAccessible::ScrollBar) {}

Scrollbar* AccessibleScrollbar::bar() const
{
    return static_cast<Scrollbar*>(widget());
}

void* AccessibleScrollbar::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QVariant AccessibleScrollbar::currentValue() const
{
    return bar()->value();
}

void AccessibleScrollbar::setCurrentValue(const QVariant& value)
{
    if (bar()->isEnabled())
        bar()->setValue(value.toInt());
}

QVariant AccessibleScrollbar::maximumValue() const
{
    return bar()->maximum();
}

QVariant AccessibleScrollbar::minimumValue() const
{
    return bar()->minimum();
}

QVariant AccessibleScrollbar::minimumStepSize() const
{
    return bar()->smallChange();
}
