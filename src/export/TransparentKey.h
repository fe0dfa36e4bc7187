#pragma once

#include <QImage>

// Makes an 8-bit palette image transparent exactly where its 32-bit source has alpha below the
// threshold. The palette reduction files the key black together with every other colour, so a
// folded tree can share one leaf between the key and dark visible colours: visible pixels would
// vanish, or keyed ones show. This pass keeps the quantiser's palette and fixes the indices:
// keyed pixels get the transparent entry, visible pixels never do. A separate transparent slot is
// added when the palette has room (its size doubles up to 256); in a full palette the entry
// already keyed (or else the darkest) stays transparent and its visible pixels take the nearest
// other colour.
class TransparentKey
{
public:
    static void apply(QImage& indexed, const QImage& source, int threshold);
};
