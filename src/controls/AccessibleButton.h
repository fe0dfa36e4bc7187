#pragma once

#include <QAccessibleWidget>

// A self-drawn button as assistive technology sees it: role button, the widget's accessible name
// and tool tip, and a press action that calls the widget's invokable activate().
class AccessibleButton : public QAccessibleWidget
{
public:
    explicit AccessibleButton(QWidget* widget);

    [[nodiscard]] QAccessible::State state() const override;
    [[nodiscard]] QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
};
