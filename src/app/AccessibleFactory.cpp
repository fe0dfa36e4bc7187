#include "app/AccessibleFactory.h"

#include "app/PictureBox.h"
#include "controls/AccessibleButton.h"
#include "controls/AccessibleLayerList.h"
#include "controls/AccessibleScrollbar.h"
#include "controls/LayerListWidget.h"
#include "controls/Scrollbar.h"
#include "grid/AccessibleIconGrid.h"
#include "grid/AccessibleTile.h"
#include "grid/IconGrid.h"
#include "grid/IconTile.h"

#include <QAccessible>

void AccessibleFactory::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(&AccessibleFactory::create);
        return true;
    }();
    (void)installed;
}

QAccessibleInterface* AccessibleFactory::create(const QString& className, QObject* object)
{
    if (className == QLatin1String("LayerListWidget"))
        return new AccessibleLayerList(static_cast<LayerListWidget*>(object));
    if (className == QLatin1String("Scrollbar"))
        return new AccessibleScrollbar(static_cast<Scrollbar*>(object));
    if (className == QLatin1String("IconGrid"))
        return new AccessibleIconGrid(static_cast<IconGrid*>(object));
    if (className == QLatin1String("IconTile"))
        return new AccessibleTile(static_cast<IconTile*>(object));
    if (className == QLatin1String("TileButton"))
        return new AccessibleButton(static_cast<QWidget*>(object));
    if (className == QLatin1String("PictureBox") && static_cast<PictureBox*>(object)->isButton())
        return new AccessibleButton(static_cast<PictureBox*>(object));
    return nullptr;
}
