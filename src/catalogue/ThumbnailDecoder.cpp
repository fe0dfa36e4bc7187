#include "catalogue/ThumbnailDecoder.h"

#include "imaging/FileHelpers.h"
#include "imaging/ImageSignature.h"

#include <QBuffer>
#include <QImageReader>

#include <cmath>

ThumbnailImage ThumbnailDecoder::decode(const QByteArray& bytes, QSize box, qreal devicePixelRatio)
{
    const QByteArray format = ImageSignature::formatOf(bytes.left(16));
    if (!ImageSignature::isThumbnailFormat(format))
        return {};
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(false);
    const QSize natural = reader.size();
    if (!natural.isValid() || natural.width() > kMaxSide || natural.height() > kMaxSide ||
        qint64(natural.width()) * natural.height() > kMaxPixels)
        return {};

    const FileHelpers::FitResult fit =
        FileHelpers::fitToBox(natural.width(), natural.height(), box.width(), box.height(), false);
    const qreal ratio = std::max<qreal>(devicePixelRatio, 1.0);
    // The drawn size in device pixels, at most the natural size: a picture is never enlarged here.
    const QSize target(std::min(natural.width(), int(std::lround(fit.w * ratio))),
                       std::min(natural.height(), int(std::lround(fit.h * ratio))));
    // JPEG scales while decoding; other formats decode whole and are scaled after.
    if (format == "jpeg" && target != natural)
        reader.setScaledSize(target);
    QImage image;
    if (!reader.read(&image))
        return {};
    if (image.size() != target)
        image = image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (fit.w > 0)
        image.setDevicePixelRatio(qreal(target.width()) / fit.w);
    return {image, natural};
}
