#pragma once

#include "catalogue/ThumbnailImage.h"

#include <QByteArray>
#include <QSize>

// Decodes a fetched thumbnail from its bytes, as pure work fit for a worker thread. Only raster
// formats recognised from the content are decoded (PNG, JPEG, GIF, BMP, WebP); vector formats such
// as SVG are never rendered, whatever the file is called. Pictures larger than the bounds are
// refused before decoding. The result is scaled to the size it is drawn at: fitted into the box
// (never enlarged), times the device pixel ratio.
class ThumbnailDecoder
{
public:
    static constexpr int kMaxSide = 4096;
    static constexpr qint64 kMaxPixels = 4 * 1024 * 1024;

    [[nodiscard]] static ThumbnailImage decode(const QByteArray& bytes, QSize box, qreal devicePixelRatio);
};
