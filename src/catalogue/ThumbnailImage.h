#pragma once

#include <QImage>
#include <QSize>

// A decoded thumbnail ready for its tile: the picture already scaled to the size it is drawn at
// (in device pixels, with its device pixel ratio set) and the natural size of the file, which
// the grid records and fits. A thumbnail that could not be decoded has a null image and size.
struct ThumbnailImage {
    QImage image;
    QSize natural;
};
