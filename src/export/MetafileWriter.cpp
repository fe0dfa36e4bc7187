#include "export/MetafileWriter.h"

#include "imaging/BitmapInfoHeader.h"

#include <QIODevice>
#include <QtEndian>

#include <limits>

namespace
{

constexpr quint32 kSrcCopy = 0x00CC0020;
constexpr int kDpi = 96;
constexpr qint32 kPelsPerMeter = 3780; // 96 per inch

// Little-endian record builder.
class Bytes
{
public:
    template <typename T> Bytes& operator<<(T value)
    {
        char bytes[sizeof(T)];
        qToLittleEndian(value, bytes);
        m_data.append(bytes, sizeof(T));
        return *this;
    }
    Bytes& append(const QByteArray& bytes)
    {
        m_data.append(bytes);
        return *this;
    }
    const QByteArray& data() const { return m_data; }

private:
    QByteArray m_data;
};

struct Dib {
    QByteArray header; // BITMAPINFOHEADER, 24 bits, bottom-up
    qint64 stride = 0;
    qint64 bitsSize = 0;
    qint64 size() const { return header.size() + bitsSize; }
};

Dib dibFor(const QImage& image)
{
    BitmapInfoHeader h;
    h.biWidth = image.width();
    h.biHeight = image.height();
    h.biBitCount = 24;
    Dib dib;
    dib.stride = BitmapInfoHeader::stride(image.width(), 24);
    dib.bitsSize = dib.stride * image.height();
    h.biSizeImage = quint32(dib.bitsSize);
    h.biXPelsPerMeter = kPelsPerMeter;
    h.biYPelsPerMeter = kPelsPerMeter;
    dib.header = h.toBytes();
    return dib;
}

bool put(QIODevice& device, const QByteArray& bytes)
{
    return device.write(bytes) == bytes.size();
}

// The rows bottom row first, blue, green, red, each padded to 32 bits.
bool writeBits(const QImage& image, const Dib& dib, QIODevice& device)
{
    const QImage rgb = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
                           ? image
                           : image.convertToFormat(QImage::Format_RGB32);
    QByteArray row(qsizetype(dib.stride), '\0');
    for (int y = rgb.height() - 1; y >= 0; --y) {
        const auto* pixels = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        char* out = row.data();
        for (int x = 0; x < rgb.width(); ++x) {
            *out++ = char(qBlue(pixels[x]));
            *out++ = char(qGreen(pixels[x]));
            *out++ = char(qRed(pixels[x]));
        }
        if (!put(device, row))
            return false;
    }
    return true;
}

bool fail(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

bool failedWrite(QString* error, const QIODevice& device)
{
    return fail(error,
                device.errorString().isEmpty() ? QStringLiteral("the write failed") : device.errorString());
}

// Size in hundredths of a millimetre of n pixels at 96 per inch.
qint32 hundredthsOfMm(int pixels)
{
    return qint32(qint64(pixels) * 2540 / kDpi);
}

} // namespace

bool MetafileWriter::writeEmf(const QImage& image, QIODevice& device, QString* error)
{
    if (image.isNull())
        return fail(error, QStringLiteral("there is no picture to write"));
    const qint32 w = image.width(), h = image.height();
    const Dib dib = dibFor(image);
    constexpr quint32 headerSize = 108, stretchFixed = 80, eofSize = 20;
    const qint64 stretchSize = stretchFixed + dib.size();
    const qint64 total = headerSize + stretchSize + eofSize;
    if (total > std::numeric_limits<quint32>::max())
        return fail(error, QStringLiteral("the picture is too large for an EMF file"));
    // The reference device: 4,800 pixels at 96 per inch, exactly 1,270 mm.
    constexpr qint32 deviceSide = 4800, deviceMm = 1270;

    Bytes header;
    header << quint32(1) << headerSize;                 // EMR_HEADER
    header << qint32(0) << qint32(0) << w - 1 << h - 1; // bounds, device units, inclusive
    header << qint32(0) << qint32(0) << hundredthsOfMm(w) - 1 << hundredthsOfMm(h) - 1; // frame
    header << quint32(0x464D4520) << quint32(0x10000);                                  // " EMF", version
    header << quint32(total) << quint32(3);                                             // bytes, records
    header << quint16(1) << quint16(0);                         // handles (slot 0 reserved)
    header << quint32(0) << quint32(0) << quint32(0);           // no description, no palette
    header << deviceSide << deviceSide << deviceMm << deviceMm; // device in pixels and mm
    header << quint32(0) << quint32(0) << quint32(0);           // no pixel format, no OpenGL
    header << deviceMm * 1000 << deviceMm * 1000;               // device in micrometres

    Bytes stretch;
    stretch << quint32(81) << quint32(stretchSize);              // EMR_STRETCHDIBITS
    stretch << qint32(0) << qint32(0) << w - 1 << h - 1;         // bounds
    stretch << qint32(0) << qint32(0) << qint32(0) << qint32(0); // destination, source origin
    stretch << w << h;                                           // source size
    stretch << stretchFixed << quint32(dib.header.size());       // header offset and size
    stretch << quint32(stretchFixed + quint32(dib.header.size())) << quint32(dib.bitsSize); // bits
    stretch << quint32(0) << kSrcCopy << w << h; // RGB colours, copy, destination size
    stretch.append(dib.header);

    Bytes eof;
    eof << quint32(14) << eofSize << quint32(0) << quint32(16) << eofSize; // EMR_EOF

    if (!put(device, header.data()) || !put(device, stretch.data()) || !writeBits(image, dib, device) ||
        !put(device, eof.data()))
        return failedWrite(error, device);
    return true;
}

bool MetafileWriter::writeWmf(const QImage& image, QIODevice& device, QString* error)
{
    if (image.isNull())
        return fail(error, QStringLiteral("there is no picture to write"));
    if (image.width() > kMaxWmfSide || image.height() > kMaxWmfSide)
        return fail(error,
                    QStringLiteral("a WMF file holds at most %L1 x %L1 pixels; the picture is %L2 x %L3")
                        .arg(kMaxWmfSide)
                        .arg(image.width())
                        .arg(image.height()));
    const auto w = qint16(image.width()), h = qint16(image.height());
    const Dib dib = dibFor(image);
    // Record sizes count 16-bit words; a DIB's rows are padded to 32 bits, so it has whole words.
    constexpr quint32 headerWords = 9, originWords = 5, extentWords = 5, stretchFixedWords = 14, eofWords = 3;
    const qint64 stretchWords = stretchFixedWords + dib.size() / 2;
    const qint64 totalWords = headerWords + originWords + extentWords + stretchWords + eofWords;
    if (totalWords > std::numeric_limits<quint32>::max())
        return fail(error, QStringLiteral("the picture is too large for a WMF file"));

    Bytes placeable;
    placeable << quint32(0x9AC6CDD7) << quint16(0);                 // key, handle
    placeable << qint16(0) << qint16(0) << w << h << quint16(kDpi); // bounding box, units per inch
    placeable << quint32(0);                                        // reserved
    quint16 checksum = 0;
    for (int i = 0; i < 20; i += 2)
        checksum = quint16(checksum ^ qFromLittleEndian<quint16>(placeable.data().constData() + i));
    placeable << checksum;

    Bytes records;
    records << quint16(1) << quint16(headerWords) << quint16(0x0300); // memory metafile, version 3
    records << quint32(totalWords) << quint16(0) << quint32(stretchWords) << quint16(0);
    records << originWords << quint16(0x020B) << qint16(0) << qint16(0); // META_SETWINDOWORG y, x
    records << extentWords << quint16(0x020C) << h << w;                 // META_SETWINDOWEXT y, x
    records << quint32(stretchWords) << quint16(0x0F43);                 // META_STRETCHDIB
    records << kSrcCopy << quint16(0);                                   // copy, RGB colours
    records << h << w << qint16(0) << qint16(0);                         // source size, origin
    records << h << w << qint16(0) << qint16(0);                         // destination size, origin
    records.append(dib.header);

    Bytes eof;
    eof << eofWords << quint16(0);

    if (!put(device, placeable.data()) || !put(device, records.data()) || !writeBits(image, dib, device) ||
        !put(device, eof.data()))
        return failedWrite(error, device);
    return true;
}
