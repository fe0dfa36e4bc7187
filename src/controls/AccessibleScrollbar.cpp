#include "controls/AccessibleScrollbar.h"

#include "controls/ucScrollbar.h"

AccessibleScrollbar::AccessibleScrollbar(ucScrollbar* bar) : QAccessibleWidget(bar, QAccessible::ScrollBar) {}

ucScrollbar* AccessibleScrollbar::bar() const
{
    return static_cast<ucScrollbar*>(widget());
}

void* AccessibleScrollbar::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QVariant AccessibleScrollbar::currentValue() const
{
    return bar()->Value();
}

void AccessibleScrollbar::setCurrentValue(const QVariant& value)
{
    if (bar()->isEnabled())
        bar()->setValue(value.toInt());
}

QVariant AccessibleScrollbar::maximumValue() const
{
    return bar()->Max();
}

QVariant AccessibleScrollbar::minimumValue() const
{
    return bar()->Min();
}

QVariant AccessibleScrollbar::minimumStepSize() const
{
    return bar()->SmallChange();
}
