#include "grid/AccessibleTile.h"

#include "grid/IconTile.h"

const QString AccessibleTile::kDownloadAction = QStringLiteral("Download");
const QString AccessibleTile::kOpenPostAction = QStringLiteral("Open Post Page");

AccessibleTile::AccessibleTile(IconTile* tile) : QAccessibleWidget(tile, QAccessible::ListItem) {}

IconTile* AccessibleTile::tile() const
{
    return static_cast<IconTile*>(widget());
}

QWidget* AccessibleTile::button(int index) const
{
    return index == 0 ? tile()->downloadButton() : tile()->licenseButton();
}

QString AccessibleTile::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name)
        return tile()->accessibleTitle();
    return QAccessibleWidget::text(t);
}

QAccessible::State AccessibleTile::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.focusable = true;
    s.selectable = true;
    s.selected = tile()->hasFocus();
    return s;
}

int AccessibleTile::childCount() const
{
    return 2;
}

QAccessibleInterface* AccessibleTile::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    return QAccessible::queryAccessibleInterface(button(index));
}

int AccessibleTile::indexOfChild(const QAccessibleInterface* child) const
{
    for (int k = 0; child && k < childCount(); ++k) {
        if (button(k) == child->object())
            return k;
    }
    return -1;
}

QStringList AccessibleTile::actionNames() const
{
    return {kDownloadAction, kOpenPostAction};
}

void AccessibleTile::doAction(const QString& actionName)
{
    if (actionName == kDownloadAction)
        tile()->requestDownload();
    else if (actionName == kOpenPostAction)
        tile()->openPostPage();
}
