#include "imaging/PackedDib.h"

#include "imaging/BitmapInfoHeader.h"
#include "imaging/DibSection.h"

#include <QtEndian>

#include <cstring>

namespace
{

constexpr quint32 kRgb = 0, kBitFields = 3;

// Bit-field blocks are taken only with the masks of plain B, G, R, x bytes; the masks follow a
// 40-byte header or sit inside a longer one at the same place.
bool hasStandardMasks(const QByteArray& bytes)
{
    if (bytes.size() < BitmapInfoHeader::kSize + 12)
        return false;
    const char* m = bytes.constData() + BitmapInfoHeader::kSize;
    return qFromLittleEndian<quint32>(m) == 0x00FF0000u && qFromLittleEndian<quint32>(m + 4) == 0x0000FF00u &&
           qFromLittleEndian<quint32>(m + 8) == 0x000000FFu;
}

} // namespace

QByteArray PackedDib::pack(const DibSection& section)
{
    if (section.isEmpty())
        return {};
    QByteArray out = section.header().toBytes();
    out.append(section.paletteBytes());
    out.append(reinterpret_cast<const char*>(section.bits()), section.size());
    return out;
}

bool PackedDib::unpack(const QByteArray& bytes, DibSection& section)
{
    section.destroy();
    const auto h = BitmapInfoHeader::fromBytes(bytes.constData(), bytes.size());
    if (!h || h->biSize < quint32(BitmapInfoHeader::kSize) || h->biSize > quint32(bytes.size()))
        return false;
    const int bpp = h->biBitCount;
    const bool masks = h->biCompression == kBitFields && bpp == 32 && hasStandardMasks(bytes);
    if (h->biPlanes != 1 || !BitmapInfoHeader::isSectionDepth(bpp) || (h->biCompression != kRgb && !masks) ||
        !BitmapInfoHeader::isSaneSize(h->biWidth, h->biHeight))
        return false;
    const int maxEntries = BitmapInfoHeader::paletteEntries(bpp);
    if (h->biClrUsed > quint32(maxEntries))
        return false;
    const qint64 entries = h->biClrUsed ? h->biClrUsed : maxEntries;
    const qint64 tableAt = qint64(h->biSize) + (masks && h->biSize == 40 ? 12 : 0);
    const qint64 pixelsAt = tableAt + entries * 4;
    const qint64 rows = h->biHeight < 0 ? -qint64(h->biHeight) : h->biHeight;
    const qint64 stride = BitmapInfoHeader::stride(h->biWidth, bpp);
    if (pixelsAt + stride * rows > bytes.size())
        return false;

    if (!section.create(h->biWidth, int(rows), bpp))
        return false;
    section.setPaletteBytes(bytes.mid(tableAt, entries * 4));
    const bool topDown = h->biHeight < 0;
    for (qint64 r = 0; r < rows; ++r) {
        // Packed row r is the bottom row first unless the block is top-down.
        const int y = int(topDown ? r : rows - 1 - r);
        std::memcpy(section.scanLine(y), bytes.constData() + pixelsAt + r * stride, size_t(stride));
    }
    return true;
}
