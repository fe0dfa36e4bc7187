#pragma once

#include "catalogue-site/IconEntry.h"

#include <QImage>

// Draws an icon's picture centred on a transparent square: SVG through Qt Svg, PNG scaled with
// smoothing, synthetic icons from their shapes. The visible part of an SVG or PNG fills the square
// (less a small margin) whatever empty page or border surrounds it. Safe to call from several
// threads at once.
class IconRenderer
{
public:
    static QImage render(const IconEntry& icon, int size);

    static constexpr qint64 kMaxSourceBytes = 16 * 1024 * 1024;
};
