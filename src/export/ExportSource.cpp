#include "export/ExportSource.h"

#include "imaging/BmpFile.h"
#include "imaging/BmpFileCheck.h"
#include "imaging/ImageSignature.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QLocale>

#include <cmath>

namespace
{

constexpr int kBytesPerPixelAtMost = 16; // 4 channels of 32-bit floats

bool fits(QSize size)
{
    return qint64(size.width()) * size.height() <= ExportSource::kMaxPixels;
}

} // namespace

void ExportSource::allowBoundedImages()
{
    const int megabytes = int(kMaxPixels * kBytesPerPixelAtMost >> 20);
    if (QImageReader::allocationLimit() < megabytes)
        QImageReader::setAllocationLimit(megabytes);
}

QString ExportSource::tooLargeMessage(QSize size)
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const int side = int(std::sqrt(double(kMaxPixels)));
    return QStringLiteral("The image is %1 x %2 pixels, too large to export: the limit is %3 pixels "
                          "(%4 x %4).")
        .arg(english.toString(size.width()), english.toString(size.height()), english.toString(kMaxPixels),
             english.toString(side));
}

namespace
{

ExportSource::Decoded decode(QIODevice& device, const QByteArray& format)
{
    ExportSource::Decoded result;
    QImageReader reader(&device, format);
    reader.setAutoDetectImageFormat(false);
    const QSize stated = reader.size();
    if (stated.isValid() && !fits(stated)) {
        result.error = ExportSource::tooLargeMessage(stated);
        result.tooLarge = true;
        return result;
    }
    result.image = reader.read();
    if (result.image.isNull()) {
        result.error = reader.errorString();
    } else if (!fits(result.image.size())) {
        // A format that does not state its size up front.
        result.error = ExportSource::tooLargeMessage(result.image.size());
        result.tooLarge = true;
        result.image = QImage();
    }
    return result;
}

} // namespace

ExportSource::Decoded ExportSource::read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Decoded result;
        result.error = file.errorString();
        return result;
    }
    return readDevice(file);
}

ExportSource::Decoded ExportSource::readBytes(QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return readDevice(buffer);
}

ExportSource::Decoded ExportSource::readDevice(QIODevice& file)
{
    Decoded result;
    const QByteArray format = ImageSignature::formatOf(file.peek(16));
    if (format.isEmpty()) {
        result.error = QStringLiteral("not a PNG, JPEG, GIF, BMP, WebP, TIFF or ICO picture");
        return result;
    }
    if (format != "bmp")
        return decode(file, format);
    // BMP headers are checked as for any bitmap file first: sizes inside the file, run-length
    // data that cannot describe more pixels than it could hold.
    if (file.size() > BmpFile::kMaxFileBytes) {
        result.error = QStringLiteral("BMP file larger than %1 MB").arg(BmpFile::kMaxFileBytes >> 20);
        return result;
    }
    QByteArray bytes = file.readAll();
    const BmpFileCheck::Result check = BmpFileCheck::check(bytes);
    if (!check.ok) {
        result.error = QStringLiteral("not a usable BMP file: %1").arg(check.reason);
        return result;
    }
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return decode(buffer, format);
}
