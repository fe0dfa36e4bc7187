#pragma once

#include "catalogue-site/IconEntry.h"

#include <QImage>

// Draws an icon's picture centred on a transparent square: SVG through librsvg (clip paths, masks
// and filters included), PNG scaled with
// smoothing, synthetic icons from their shapes. The visible part of an SVG or PNG fills the square
// (less a small margin) whatever empty page or border surrounds it. Safe to call from several
// threads at once.
class IconRenderer
{
public:
    static QImage render(const IconEntry& icon, int size);

    static constexpr qint64 kMaxSourceBytes = 16 * 1024 * 1024;
    // An SVG beyond these is not drawn (an empty square): they bound the time a drawing takes.
    static constexpr qint64 kMaxSvgBytes = 4 * 1024 * 1024;
    static constexpr qint64 kMaxSvgElements = 60000;
};
