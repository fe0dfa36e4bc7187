#include "imaging/BmpFile.h"

#include "imaging/BitmapFileHeader.h"
#include "imaging/BmpFileCheck.h"
#include "imaging/DibSection.h"

#include <QBuffer>
#include <QIODevice>
#include <QImageReader>

namespace {

bool writeAll(QIODevice& out, const char* data, qint64 length)
{
    return out.write(data, length) == length;
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
        section.writeIndexed(image);
    else
        section.writeImage(image);
    return depth;
}
