#pragma once

#include <QAccessibleInterface>
#include <QPointer>

class LayerListWidget;

// One row of the layered list for assistive technology: a list item named by its caption, with
// a press action that chooses it as a pointer release would.
class AccessibleLayerRow : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    AccessibleLayerRow(LayerListWidget* list, int row);

    [[nodiscard]] bool isValid() const override;
    [[nodiscard]] QObject* object() const override { return nullptr; }
    [[nodiscard]] QWindow* window() const override;
    [[nodiscard]] QAccessibleInterface* parent() const override;
    [[nodiscard]] QAccessibleInterface* child(int) const override { return nullptr; }
    [[nodiscard]] int childCount() const override { return 0; }
    [[nodiscard]] int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    [[nodiscard]] QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    [[nodiscard]] QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    [[nodiscard]] QRect rect() const override;
    [[nodiscard]] QAccessible::Role role() const override { return QAccessible::ListItem; }
    [[nodiscard]] QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    [[nodiscard]] QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    [[nodiscard]] QStringList keyBindingsForAction(const QString&) const override { return {}; }

    [[nodiscard]] int row() const { return m_row; }

private:
    [[nodiscard]] int layer() const;

    QPointer<LayerListWidget> m_list;
    int m_row;
};
