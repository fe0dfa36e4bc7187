#include "imaging/BitmapFileHeader.h"

#include <QtEndian>

QByteArray BitmapFileHeader::toBytes() const
{
    QByteArray out(kSize, '\0');
    char* p = out.data();
    qToLittleEndian(bfType, p);
    qToLittleEndian(bfSize, p + 2);
    qToLittleEndian(bfReserved1, p + 6);
    qToLittleEndian(bfReserved2, p + 8);
    qToLittleEndian(bfOffBits, p + 10);
    return out;
}

std::optional<BitmapFileHeader> BitmapFileHeader::fromBytes(const char* data, qsizetype length)
{
    if (!data || length < kSize)
        return std::nullopt;
    BitmapFileHeader h;
    h.bfType = qFromLittleEndian<quint16>(data);
    h.bfSize = qFromLittleEndian<quint32>(data + 2);
    h.bfReserved1 = qFromLittleEndian<quint16>(data + 6);
    h.bfReserved2 = qFromLittleEndian<quint16>(data + 8);
    h.bfOffBits = qFromLittleEndian<quint32>(data + 10);
    return h;
}
