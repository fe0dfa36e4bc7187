#include "grid/CategoryMenu.h"

#include "catalogue/CategoryTable.h"
#include "controls/CtlLayers.h"

#include <QImage>

void CategoryMenu::fill(CtlLayers& menuPanel)
{
    for (int index = 0; index < CategoryTable::kCount; ++index)
        menuPanel.LoadImage(QImage(), CategoryTable::caption(index), kRowImageSize, kRowImageSize);
    menuPanel.DrawLayers();
    menuPanel.RefreshDraw();
}
