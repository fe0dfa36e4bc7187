#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>

// Assembles a multi-size icon file: 256-pixel images are stored as PNG, smaller ones as 32-bit
// bottom-up bitmaps with their AND mask (set where alpha is below 128). Sizes 1 to 256.
class IconFileWriter
{
public:
    struct Entry {
        QImage image;
        QByteArray png; // the image already encoded as PNG, if at hand; stored for 256 pixels
    };

    // The whole file, or an empty array when an image is empty or larger than 256 pixels.
    static QByteArray encode(const QList<Entry>& entries);
    // The image as a PNG file's bytes; empty when it cannot be encoded.
    static QByteArray encodePng(const QImage& image);

private:
    static QByteArray encodeBitmap(const QImage& image);
};
