#pragma once

#include <QAccessibleWidget>

class ucScrollbar;

// The self-drawn scrollbar as assistive technology sees it: role ScrollBar with its value, range
// and step through the value interface.
class AccessibleScrollbar : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit AccessibleScrollbar(ucScrollbar* bar);

    void* interface_cast(QAccessible::InterfaceType type) override;
    [[nodiscard]] QVariant currentValue() const override;
    void setCurrentValue(const QVariant& value) override;
    [[nodiscard]] QVariant maximumValue() const override;
    [[nodiscard]] QVariant minimumValue() const override;
    [[nodiscard]] QVariant minimumStepSize() const override;

private:
    [[nodiscard]] ucScrollbar* bar() const;
};
