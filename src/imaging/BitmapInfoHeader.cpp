#include "imaging/BitmapInfoHeader.h"

#include <QtEndian>

namespace
{

template <typename T> void put(QByteArray& out, T value)
{
    char bytes[sizeof(T)];
    qToLittleEndian(value, bytes);
    out.append(bytes, sizeof(T));
}

template <typename T> T take(const char* data, int offset)
{
    return qFromLittleEndian<T>(data + offset);
}

} // namespace

QByteArray BitmapInfoHeader::toBytes() const
{
    QByteArray out;
    out.reserve(kSize);
    put(out, biSize);
    put(out, biWidth);
    put(out, biHeight);
    put(out, biPlanes);
    put(out, biBitCount);
    put(out, biCompression);
    put(out, biSizeImage);
    put(out, biXPelsPerMeter);
    put(out, biYPelsPerMeter);
    put(out, biClrUsed);
    put(out, biClrImportant);
    return out;
}

std::optional<BitmapInfoHeader> BitmapInfoHeader::fromBytes(const char* data, qsizetype length)
{
    if (!data || length < kSize)
        return std::nullopt;
    BitmapInfoHeader h;
    h.biSize = take<quint32>(data, 0);
    h.biWidth = take<qint32>(data, 4);
    h.biHeight = take<qint32>(data, 8);
    h.biPlanes = take<quint16>(data, 12);
    h.biBitCount = take<quint16>(data, 14);
    h.biCompression = take<quint32>(data, 16);
    h.biSizeImage = take<quint32>(data, 20);
    h.biXPelsPerMeter = take<qint32>(data, 24);
    h.biYPelsPerMeter = take<qint32>(data, 28);
    h.biClrUsed = take<quint32>(data, 32);
    h.biClrImportant = take<quint32>(data, 36);
    return h;
}

qint64 BitmapInfoHeader::stride(qint64 width, int bpp)
{
    return ((bpp * width + 31) / 32) * 4;
}

int BitmapInfoHeader::paletteEntries(int bpp)
{
    return bpp >= 1 && bpp <= 8 ? 1 << bpp : 0;
}

bool BitmapInfoHeader::isSectionDepth(int bpp)
{
    return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 24 || bpp == 32;
}

bool BitmapInfoHeader::isSaneSize(qint64 width, qint64 height)
{
    if (height < 0)
        height = -height;
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide && width * height <= kMaxPixels;
}
