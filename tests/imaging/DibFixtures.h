#pragma once

#include "imaging/DibSection.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

// Asymmetric fixtures for the section tests: every pixel differs from its neighbours and each
// channel carries a different ramp, so swapped channels, flipped rows or off-by-one columns show.
namespace DibFixtures {

inline QRgb patternColor(int x, int y)
{
    return qRgb((40 * x + 7) & 0xFF, (60 * y + 13) & 0xFF, (17 * x + 29 * y + 101) & 0xFF);
}

// A colour table of distinct, non-grey entries, as bytes (blue, green, red, 0).
inline QByteArray distinctPalette(int entries)
{
    QByteArray bytes;
    for (int i = 0; i < entries; ++i) {
        const char entry[4] = {char((i * 37 + 5) & 0xFF), char((i * 11 + 90) & 0xFF), char((255 - i * 3) & 0xFF), 0};
        bytes.append(entry, 4);
    }
    return bytes;
}

// Fills a section: palette depths get the distinct table and indices (x + 3y) mod entries, the
// others the pattern colours.
inline void fillPattern(DibSection& s)
{
    const int entries = s.paletteEntries();
    if (entries)
        s.setPaletteBytes(distinctPalette(entries));
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x) {
            if (entries)
                s.setPixelIndex(x, y, uint((x + 3 * y) % entries));
            else
                s.setPixel(x, y, patternColor(x, y));
        }
}

inline QImage decode(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return reader.read();
}

} // namespace DibFixtures
