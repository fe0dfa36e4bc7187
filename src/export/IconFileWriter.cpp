#include "export/IconFileWriter.h"

#include <QBuffer>
#include <QImageWriter>
#include <QtEndian>

namespace
{

void put16(QByteArray& out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

void put32(QByteArray& out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

} // namespace

QByteArray IconFileWriter::encodePng(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image))
        return {};
    return bytes;
}

QByteArray IconFileWriter::encodeBitmap(const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width();
    const int h = image.height();
    const int maskStride = (w + 31) / 32 * 4;
    QByteArray out;
    out.reserve(40 + w * h * 4 + maskStride * h);
    put32(out, 40);
    put32(out, quint32(w));
    put32(out, quint32(2 * h)); // colour rows and mask rows together
    put16(out, 1);
    put16(out, 32);
    put32(out, 0); // uncompressed
    put32(out, quint32(w * h * 4 + maskStride * h));
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    for (int y = h - 1; y >= 0; --y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const char px[4] = {char(qBlue(row[x])), char(qGreen(row[x])), char(qRed(row[x])),
                                char(qAlpha(row[x]))};
            out.append(px, 4);
        }
    }
    for (int y = h - 1; y >= 0; --y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        QByteArray mask(maskStride, '\0');
        for (int x = 0; x < w; ++x) {
            if (qAlpha(row[x]) < 128)
                mask[x / 8] = char(uchar(mask[x / 8]) | (0x80 >> (x % 8)));
        }
        out.append(mask);
    }
    return out;
}

QByteArray IconFileWriter::encode(const QList<Entry>& entries)
{
    QList<QByteArray> bodies;
    for (const Entry& entry : entries) {
        const QImage& image = entry.image;
        if (image.isNull() || image.width() > 256 || image.height() > 256)
            return {};
        if (image.width() == 256 || image.height() == 256)
            bodies << (entry.png.isEmpty() ? encodePng(image) : entry.png);
        else
            bodies << encodeBitmap(image);
        if (bodies.last().isEmpty())
            return {};
    }
    QByteArray out;
    put16(out, 0);
    put16(out, 1); // icon
    put16(out, quint16(entries.size()));
    quint32 offset = quint32(6 + 16 * entries.size());
    for (qsizetype i = 0; i < entries.size(); ++i) {
        out.append(char(entries[i].image.width() & 0xFF)); // 256 is written as 0
        out.append(char(entries[i].image.height() & 0xFF));
        out.append('\0'); // no palette
        out.append('\0');
        put16(out, 1);
        put16(out, 32);
        put32(out, quint32(bodies[i].size()));
        put32(out, offset);
        offset += quint32(bodies[i].size());
    }
    for (const QByteArray& body : bodies)
        out.append(body);
    return out;
}
