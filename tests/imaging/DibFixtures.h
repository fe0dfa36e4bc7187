#pragma once

#include "imaging/DibSection.h"

#include <QBuffer>
#include <QtEndian>

// Asymmetric fixtures for the section tests: every pixel differs from its neighbours and each
// channel carries a different ramp, so swapped channels, flipped rows or off-by-one columns show.
namespace DibFixtures
{

inline QRgb patternColor(int x, int y)
{
    return qRgb((40 * x + 7) & 0xFF, (60 * y + 13) & 0xFF, (17 * x + 29 * y + 101) & 0xFF);
}

// palette depths get a table of distinct, non-grey entries (blue, green, red, 0) and indices
// (x + 3y) mod entries; the others the pattern colours.
inline void fillPattern(DibSection& s)
{
    QByteArray table;
    for (int i = 0; i < s.paletteEntries(); ++i) {
        const char entry[4] = {char((i * 37 + 5) & 0xFF), char((i * 11 + 90) & 0xFF),
                               char((255 - i * 3) & 0xFF), 0};
        table.append(entry, 4);
    }
    if (!table.isEmpty())
        s.setPaletteBytes(table);
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            if (table.isEmpty())
                s.setPixel(x, y, patternColor(x, y));
            else
                s.setPixelIndex(x, y, uint((x + 3 * y) % s.paletteEntries()));
}

// An 8-bit run-length BMP file with a two-colour table around the given run data.
inline QByteArray rle8(qint32 width, qint32 height, const QByteArray& data)
{
    QByteArray file = QByteArray("BM", 2) + QByteArray(60, '\0') + data;
    for (const auto& [offset, value] : {std::pair{2, qint32(file.size())},
                                        {10, 62},
                                        {14, 40},
                                        {18, width},
                                        {22, height},
                                        {26, 0x00080001},
                                        {30, 1},
                                        {46, 2}})
        qToLittleEndian<qint32>(value, file.data() + offset); // one plane of 8 bits, RLE8, 2 colours
    file.replace(58, 4, "\xc8\x64\x32\x00", 4);
    return file;
}

} // namespace DibFixtures
