#include "controls/AccessibleButton.h"

#include <QWidget>

AccessibleButton::AccessibleButton(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Button) {}

QAccessible::State AccessibleButton::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.focusable = widget()->focusPolicy() != Qt::NoFocus;
    return s;
}

QStringList AccessibleButton::actionNames() const
{
    return {pressAction()};
}

void AccessibleButton::doAction(const QString& actionName)
{
    if (actionName == pressAction() && widget()->isEnabled())
        QMetaObject::invokeMethod(widget(), "activate");
}
