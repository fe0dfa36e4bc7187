#pragma once

#include <QImage>
#include <QString>

class QIODevice;

// Writes an 8-bit palette image as a GIF89a file with giflib. The colour map has the image's
// colour-table size rounded up to a power of two (2 to 256 entries); the first table entry with
// alpha 0 becomes the transparent index.
class GifWriter
{
public:
    // The format stores each side in 16 bits.
    static constexpr int kMaxSide = 65535;
    // The message for an image with a side beyond kMaxSide.
    static QString tooLarge(int width, int height);

    // False with a reason in `error` when the image is not indexed, has a side beyond kMaxSide
    // (nothing is written then) or giflib fails.
    static bool write(const QImage& indexed, QIODevice& device, QString* error = nullptr);
};
