#pragma once

#include <QMenu>

// A tile's context menu, in the platform's ordinary menu look: download, copy the full-size
// image, copy its address, open the post page. The grid connects the actions to the tile.
class TileMenu : public QMenu
{
    Q_OBJECT
public:
    explicit TileMenu(QWidget* parent);

    QAction* download;
    QAction* copyImage;
    QAction* copyAddress;
    QAction* openPost;
};
