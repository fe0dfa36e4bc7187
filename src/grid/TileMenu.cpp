#include "grid/TileMenu.h"

TileMenu::TileMenu(QWidget* parent)
    : QMenu(parent), download(addAction(QStringLiteral("&Download..."))),
      copyImage(addAction(QStringLiteral("&Copy Image"))),
      copyAddress(addAction(QStringLiteral("Copy Image &Address"))),
      openPost(addAction(QStringLiteral("&Open Post Page")))
{
    setAttribute(Qt::WA_DeleteOnClose);
}
