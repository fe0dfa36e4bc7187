#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>

// Assembles a multi-size icon file: 256-pixel images are stored as PNG, smaller ones as 32-bit
// bottom-up bitmaps with their AND mask (set where alpha is below 128). Sizes 1 to 256.
class IconFileWriter
{
public:
    // The whole file, or an empty array when an image is empty or larger than 256 pixels.
    static QByteArray encode(const QList<QImage>& images);

private:
    static QByteArray encodeBitmap(const QImage& image);
};
