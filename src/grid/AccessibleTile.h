#pragma once

#include <QAccessibleWidget>

class IconTile;

// One tile for assistive technology: a list item named by the icon's title (its file name when
// the title is empty), with actions to download it and to open its post page; its two buttons are
// its children.
class AccessibleTile : public QAccessibleWidget
{
public:
    static const QString kDownloadAction;
    static const QString kOpenPostAction;

    explicit AccessibleTile(IconTile* tile);

    [[nodiscard]] QString text(QAccessible::Text t) const override;
    [[nodiscard]] QAccessible::State state() const override;
    [[nodiscard]] int childCount() const override;
    [[nodiscard]] QAccessibleInterface* child(int index) const override;
    [[nodiscard]] int indexOfChild(const QAccessibleInterface* child) const override;
    [[nodiscard]] QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    [[nodiscard]] IconTile* tile() const;
    [[nodiscard]] QWidget* button(int index) const;
};
