#pragma once

#include <QAccessibleWidget>

class Scrollbar;

// The self-drawn scrollbar as assistive technology sees it: role ScrollBar with its value, range
// and step through the value interface.
class AccessibleScrollbar : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit AccessibleScrollbar(Scrollbar* bar);

    void* interface_cast(QAccessible::InterfaceType type) override;
    [[nodiscard]] QVariant currentValue() const override;
    void setCurrentValue(const QVariant& value) override;
    [[nodiscard]] QVariant maximumValue() const override;
    [[nodiscard]] QVariant minimumValue() const override;
    [[nodiscard]] QVariant minimumStepSize() const override;

private:
    [[nodiscard]] Scrollbar* bar() const;
};
