#include "app/AccessibleFactory.h"

#include "app/PictureBox.h"
#include "controls/AccessibleButton.h"
#include "controls/AccessibleLayerList.h"
#include "controls/AccessibleScrollbar.h"
#include "controls/CtlLayers.h"
#include "controls/ucScrollbar.h"
#include "grid/AccessibleIconGrid.h"
#include "grid/AccessibleTile.h"
#include "grid/IconGrid.h"
#include "grid/IconsOLE.h"

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
    if (className == QLatin1String("CtlLayers"))
        return new AccessibleLayerList(static_cast<CtlLayers*>(object));
    if (className == QLatin1String("ucScrollbar"))
        return new AccessibleScrollbar(static_cast<ucScrollbar*>(object));
    if (className == QLatin1String("IconGrid"))
        return new AccessibleIconGrid(static_cast<IconGrid*>(object));
    if (className == QLatin1String("IconsOLE"))
        return new AccessibleTile(static_cast<IconsOLE*>(object));
    if (className == QLatin1String("TileButton"))
        return new AccessibleButton(static_cast<QWidget*>(object));
    if (className == QLatin1String("PictureBox") && static_cast<PictureBox*>(object)->isButton())
        return new AccessibleButton(static_cast<PictureBox*>(object));
    return nullptr;
}
