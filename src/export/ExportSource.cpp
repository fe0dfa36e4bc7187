#include "export/ExportSource.h"

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

ExportSource::Decoded ExportSource::read(const QString& path)
{
    Decoded result;
    QImageReader reader(path);
    const QSize stated = reader.size();
    if (stated.isValid() && !fits(stated)) {
        result.error = tooLargeMessage(stated);
        result.tooLarge = true;
        return result;
    }
    result.image = reader.read();
    if (result.image.isNull()) {
        result.error = reader.errorString();
    } else if (!fits(result.image.size())) {
        // A format that does not state its size up front.
        result.error = tooLargeMessage(result.image.size());
        result.tooLarge = true;
        result.image = QImage();
    }
    return result;
}
