#include "imaging/BmpFile.h"

#include "imaging/BitmapFileHeader.h"
#include "imaging/BmpFileCheck.h"
#include "imaging/DibSection.h"

#include <QBuffer>
#include <QIODevice>
#include <QImageReader>

namespace
{

bool writeAll(QIODevice& out, const char* data, qint64 length)
{
    return out.write(data, length) == length;
}

// The file's own colour table as section bytes (blue, green, red, 0).
QByteArray fileTable(const QByteArray& file, const BmpFileCheck::Result& check)
{
    QByteArray table;
    for (int i = 0; i < check.tableEntries; ++i) {
        const char* e = file.constData() + check.tableOffset + qint64(i) * check.entryBytes;
        const char entry[4] = {e[0], e[1], e[2], 0};
        table.append(entry, 4);
    }
    return table;
}

// Stores a decoded indexed image under the file's own table and indices: a decoder may reorder
// its colour table (two-colour images especially), so each decoded entry is matched back to the
// file entry of the same colour, preferring the same position.
void writeWithFileTable(const QImage& decoded, const QByteArray& table, DibSection& section)
{
    section.setPaletteBytes(table);
    const QImage image = decoded.convertToFormat(QImage::Format_Indexed8);
    const QList<QRgb> fileColors = section.colorTable();
    const int entries = int(table.size() / 4);
    QList<uint> toFile;
    for (int i = 0; i < image.colorCount(); ++i) {
        const QRgb c = image.color(i) | 0xFF000000u;
        if (i < entries && fileColors[i] == c)
            toFile.append(uint(i));
        else
            toFile.append(uint(section.nearestIndex(c)));
    }
    for (int y = 0; y < section.height(); ++y) {
        const uchar* in = image.constScanLine(y);
        for (int x = 0; x < section.width(); ++x)
            section.setPixelIndex(x, y, in[x] < toFile.size() ? toFile[in[x]] : 0);
    }
}

} // namespace

bool BmpFile::write(const DibSection& section, QIODevice& out)
{
    if (section.isEmpty())
        return false;
    const QByteArray header = section.header().toBytes();
    const QByteArray palette = section.paletteBytes();
    BitmapFileHeader fh;
    fh.bfOffBits = quint32(BitmapFileHeader::kSize + header.size() + palette.size());
    fh.bfSize = fh.bfOffBits + quint32(section.size());
    const QByteArray fileHeader = fh.toBytes();
    return writeAll(out, fileHeader.constData(), fileHeader.size()) &&
           writeAll(out, header.constData(), header.size()) &&
           writeAll(out, palette.constData(), palette.size()) &&
           writeAll(out, reinterpret_cast<const char*>(section.bits()), section.size());
}

int BmpFile::read(const QByteArray& file, DibSection& section)
{
    section.destroy();
    const BmpFileCheck::Result check = BmpFileCheck::check(file);
    if (!check.ok)
        return 0;
    QBuffer buffer;
    buffer.setData(file);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    const QImage image = reader.read();
    if (image.isNull())
        return 0;
    const int depth = check.bitCount == 16 ? 24 : check.bitCount;
    if (!section.create(image.width(), image.height(), depth))
        return 0;
    if (depth <= 8 && image.colorCount() > 0)
        writeWithFileTable(image, fileTable(file, check), section);
    else
        section.writeImage(image);
    return depth;
}
