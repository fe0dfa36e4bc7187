#include "grid/CategoryMenu.h"

#include "catalogue/CategoryTable.h"
#include "controls/LayerListWidget.h"

#include <QImage>

void CategoryMenu::fill(LayerListWidget& menuPanel)
{
    for (int index = 0; index < CategoryTable::kCount; ++index)
        menuPanel.addLayer(QImage(), CategoryTable::caption(index), kRowImageSize, kRowImageSize);
    menuPanel.drawLayers();
    menuPanel.redraw();
}
