#include "imaging/BmpFileCheck.h"

#include "imaging/BitmapFileHeader.h"
#include "imaging/BitmapInfoHeader.h"

#include <QtEndian>

#include <algorithm>

namespace
{

constexpr quint32 kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;
constexpr quint32 kCoreHeaderSize = 12;
// Run-length data can describe far more pixels than it has bytes: a two-byte run gives up to 255
// pixels, and the escapes skip to the end of a row or of the picture for two bytes. Decoding is
// allowed up to what full runs give (128 pixels a byte) or a small picture's worth, so a few
// bytes never make the decoder fill tens of millions of pixels.
constexpr qint64 kRlePixelsPerByte = 128;
constexpr qint64 kRleFreePixels = qint64(1) << 20;

bool isKnownHeaderSize(quint32 size)
{
    return size == kCoreHeaderSize || size == 40 || size == 52 || size == 56 || size == 64 || size == 108 ||
           size == 124;
}

bool isKnownDepth(int bpp)
{
    return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
}

bool compressionFits(quint32 compression, int bpp)
{
    switch (compression) {
    case kRgb:
        return true;
    case kRle8:
        return bpp == 8;
    case kRle4:
        return bpp == 4;
    case kBitFields:
        return bpp == 16 || bpp == 32;
    default:
        return false; // embedded JPEG/PNG and unknown schemes
    }
}

// The 12-byte OS/2 core header keeps 16-bit sizes and 3-byte colour entries.
BitmapInfoHeader fromCoreHeader(const char* p)
{
    BitmapInfoHeader h;
    h.biSize = kCoreHeaderSize;
    h.biWidth = qFromLittleEndian<quint16>(p + 4);
    h.biHeight = qFromLittleEndian<quint16>(p + 6);
    h.biPlanes = qFromLittleEndian<quint16>(p + 8);
    h.biBitCount = qFromLittleEndian<quint16>(p + 10);
    return h;
}

} // namespace

BmpFileCheck::Result BmpFileCheck::refuse(const QString& reason)
{
    Result r;
    r.reason = reason;
    return r;
}

BmpFileCheck::Result BmpFileCheck::check(const QByteArray& file)
{
    const qint64 length = file.size();
    const auto fh = BitmapFileHeader::fromBytes(file.constData(), length);
    if (!fh || length < BitmapFileHeader::kSize + 4 || fh->bfType != BitmapFileHeader::kType)
        return refuse("not a BMP file");
    if (fh->bfSize > length)
        return refuse("file is shorter than its header claims");
    const char* info = file.constData() + BitmapFileHeader::kSize;
    const quint32 infoSize = qFromLittleEndian<quint32>(info);
    if (!isKnownHeaderSize(infoSize) || BitmapFileHeader::kSize + qint64(infoSize) > length)
        return refuse("bitmap header missing or of an unknown size");

    const bool core = infoSize == kCoreHeaderSize;
    const BitmapInfoHeader h = core ? fromCoreHeader(info) : *BitmapInfoHeader::fromBytes(info, infoSize);
    const int bpp = h.biBitCount;
    if (h.biPlanes != 1 || !isKnownDepth(bpp) || !compressionFits(h.biCompression, bpp))
        return refuse("unsupported planes, depth or compression");
    if (!BitmapInfoHeader::isSaneSize(h.biWidth, h.biHeight))
        return refuse("absurd dimensions");

    // Colour table (and the three masks a plain 40-byte header carries for bit fields) must end
    // before the pixels, and the pixels must start inside the file.
    qint64 tableOffset = BitmapFileHeader::kSize + qint64(infoSize);
    if (h.biCompression == kBitFields && infoSize == 40)
        tableOffset += 12;
    const int maxEntries = BitmapInfoHeader::paletteEntries(bpp);
    if (h.biClrUsed > quint32(maxEntries) && maxEntries > 0)
        return refuse("colour table larger than the depth allows");
    const int entries = maxEntries == 0 ? 0 : h.biClrUsed ? int(h.biClrUsed) : maxEntries;
    const int entryBytes = core ? 3 : 4;
    const qint64 tableEnd = tableOffset + qint64(entries) * entryBytes;
    const qint64 offset = fh->bfOffBits;
    if (offset < tableEnd || offset >= length)
        return refuse("pixel offset outside the file");

    const qint64 available = length - offset;
    if (h.biSizeImage > available)
        return refuse("pixel data shorter than its header claims");
    const bool rle = h.biCompression == kRle8 || h.biCompression == kRle4;
    const qint64 height = h.biHeight < 0 ? -qint64(h.biHeight) : h.biHeight;
    if (!rle && BitmapInfoHeader::stride(h.biWidth, bpp) * height > available)
        return refuse("pixel rows extend past the end of the file");
    if (rle && qint64(h.biWidth) * height > std::max(kRleFreePixels, available * kRlePixelsPerByte))
        return refuse("run-length data too short for the picture's size");

    Result r;
    r.ok = true;
    r.bitCount = bpp;
    r.tableOffset = tableOffset;
    r.tableEntries = entries;
    r.entryBytes = entryBytes;
    return r;
}
