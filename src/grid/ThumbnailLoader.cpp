#include "grid/ThumbnailLoader.h"

#include <QImageReader>

QImage ThumbnailLoader::load(const QString& path)
{
    QImageReader reader(path);
    const QSize declared = reader.size();
    // Formats that cannot tell their size up front are refused too: the bound must hold first.
    if (!declared.isValid() || declared.width() > kMaxSide || declared.height() > kMaxSide)
        return {};
    QImage image;
    if (!reader.read(&image))
        return {};
    return image;
}
