#pragma once

#include <QAccessibleWidget>
#include <QHash>

class LayerListWidget;

// The layered list as assistive technology sees it: role List whose children are its rows, top
// to bottom as shown, each named by its caption. The selected row carries the selected state
// (and focused while the list has the keyboard focus).
class AccessibleLayerList : public QAccessibleWidget
{
public:
    explicit AccessibleLayerList(LayerListWidget* list);
    ~AccessibleLayerList() override;

    [[nodiscard]] int childCount() const override;
    [[nodiscard]] QAccessibleInterface* child(int index) const override;
    [[nodiscard]] int indexOfChild(const QAccessibleInterface* child) const override;
    [[nodiscard]] QAccessibleInterface* childAt(int x, int y) const override;
    [[nodiscard]] QAccessibleInterface* focusChild() const override;

    // The display row of a layer.
    [[nodiscard]] int rowOfLayer(int layer) const;

private:
    [[nodiscard]] LayerListWidget* list() const;

    mutable QHash<int, QAccessible::Id> m_rows; // display row -> registered row interface
};
