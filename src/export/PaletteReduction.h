#pragma once

#include <QImage>

// Reduces a 32-bit image to an 8-bit palette image (at most 256 colours) with the octree
// quantiser of OctreeQuantiser, in two passes over the pixels: the first files each pixel's colour into
// the tree (from the last row and pixel to the first) and keeps the serial of the leaf it reached;
// the second writes each pixel's palette entry from that serial. Nothing else reads the pixels.
// Above kRecordedPixels the serials would cost more memory than the image itself, so the second
// pass walks the tree for each pixel instead; the result is the same.
//
// Keying. The keyed pixels are filed as black, so the quantiser may fold them into one leaf with
// dark visible colours. The entry the palette marks transparent (the first one darker than 5 in
// every channel) must then never hold a visible pixel: when the key's leaf is shared, the keyed
// pixels get a transparent entry of their own if the palette has room (a 16-entry palette
// doubles), else the key entry (or the darkest one) becomes transparent and its visible pixels
// take the nearest other colour. An image with no keyed pixel gets no transparent entry.
class PaletteReduction
{
public:
    enum class Key {
        None,  // every entry opaque
        Alpha, // alpha below the threshold is keyed; visible pixels darker than 10 in every
               // channel are filed as (5, 5, 5), so that they never equal the key
        Black, // a keyed copy: its black pixels are the keyed ones
    };

    // Largest image reduced.
    static constexpr qint64 kMaxPixels = qint64(1) << 28;
    // Largest image whose leaf serials are kept (4 bytes a pixel).
    static constexpr qint64 kRecordedPixels = qint64(1) << 22;

    // A null image when the input is empty or too large, or memory runs out.
    [[nodiscard]] static QImage reduce(const QImage& image, Key key, int threshold = 0,
                                       qint64 recordedPixels = kRecordedPixels);
};
