#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <optional>

// The 40-byte device-independent bitmap header, little-endian on the wire, together with the row
// and colour-table arithmetic every DIB reader and writer shares.
struct BitmapInfoHeader {
    static constexpr int kSize = 40;
    // Largest width or height accepted from any source, and the largest pixel count (128 MiB of
    // 32-bit pixels); anything beyond is treated as hostile rather than allocated.
    static constexpr qint64 kMaxSide = 32768;
    static constexpr qint64 kMaxPixels = qint64(1) << 25;

    quint32 biSize = kSize;
    qint32 biWidth = 0;
    qint32 biHeight = 0;
    quint16 biPlanes = 1;
    quint16 biBitCount = 0;
    quint32 biCompression = 0;
    quint32 biSizeImage = 0;
    qint32 biXPelsPerMeter = 0;
    qint32 biYPelsPerMeter = 0;
    quint32 biClrUsed = 0;
    quint32 biClrImportant = 0;

    QByteArray toBytes() const;
    // Reads the fields of a 40-byte (or longer) header; nullopt when fewer than 40 bytes are given.
    static std::optional<BitmapInfoHeader> fromBytes(const char* data, qsizetype length);

    // Bytes of one row padded to 32 bits: ((bpp * width + 31) / 32) * 4.
    static qint64 stride(qint64 width, int bpp);
    // Colour-table entries of a depth: 2^bpp for 1, 4 and 8 bits, none above.
    static int paletteEntries(int bpp);
    // Whether the section classes hold this depth (1, 4, 8, 24 or 32 bits).
    static bool isSectionDepth(int bpp);
    // Whether width and height are within the limits above (height taken by magnitude).
    static bool isSaneSize(qint64 width, qint64 height);
};
