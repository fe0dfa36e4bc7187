#pragma once

#include "catalogue-site/IconEntry.h"

#include <QImage>

// Draws an icon's picture centred on a transparent square: SVG through Qt Svg, PNG scaled with
// smoothing, synthetic icons from their shapes. Safe to call from several threads at once.
class IconRenderer
{
public:
    static QImage render(const IconEntry& icon, int size);

    static constexpr qint64 kMaxSourceBytes = 16 * 1024 * 1024;
};
