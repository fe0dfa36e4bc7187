#pragma once

#include <QImage>
#include <QString>

// Loads a cached thumbnail for its tile. Files declaring more than kMaxSide pixels on a side are
// refused before decoding, so a hostile file cannot exhaust memory; a refused or unreadable file
// gives a null image and the tile stays empty.
class ThumbnailLoader
{
public:
    static constexpr int kMaxSide = 4096;

    [[nodiscard]] static QImage load(const QString& path);
};
