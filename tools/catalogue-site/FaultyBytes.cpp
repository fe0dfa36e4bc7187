#include "catalogue-site/FaultyBytes.h"

#include <QtEndian>

#include <zlib.h>

namespace
{
void appendU32(QByteArray& out, quint32 v)
{
    char b[4];
    qToBigEndian(v, b);
    out.append(b, 4);
}

void appendChunk(QByteArray& out, const char* type, const QByteArray& data)
{
    appendU32(out, quint32(data.size()));
    QByteArray typed(type, 4);
    typed += data;
    out += typed;
    appendU32(out, quint32(crc32(0, reinterpret_cast<const Bytef*>(typed.constData()), uInt(typed.size()))));
}
} // namespace

QByteArray FaultyBytes::garbage()
{
    QByteArray out("This is not an image. ");
    while (out.size() < 600)
        out += "GIF? JPEG? PNG? none of them. ";
    return out;
}

QByteArray FaultyBytes::bomb()
{
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    QByteArray ihdr;
    appendU32(ihdr, kBombSide);
    appendU32(ihdr, kBombSide);
    ihdr.append(char(8)); // bit depth
    ihdr.append(char(6)); // colour type RGBA
    ihdr.append(char(0)); // compression
    ihdr.append(char(0)); // filter
    ihdr.append(char(0)); // interlace
    appendChunk(png, "IHDR", ihdr);
    // The start of the first row only; a decoder that trusts the header allocates 40 GB first.
    const QByteArray row(64, '\0');
    QByteArray packed(int(compressBound(uLong(row.size()))), '\0');
    uLongf packedSize = uLongf(packed.size());
    compress(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
             reinterpret_cast<const Bytef*>(row.constData()), uLong(row.size()));
    packed.truncate(int(packedSize));
    appendChunk(png, "IDAT", packed);
    appendChunk(png, "IEND", {});
    return png;
}
