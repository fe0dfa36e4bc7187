// Thumbnail bytes as the client decodes them: format sniffing, the size bounds and the decode
// to the drawn size.

#include "catalogue/ThumbnailDecoder.h"

#include <QGuiApplication>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // The image format plugins (WebP) are found through the application object.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const ThumbnailImage thumbnail = ThumbnailDecoder::decode(bytes, QSize(219, 100), 2.0);
    const QSize drawn = thumbnail.image.size();
    if (drawn.width() > 2 * 219 || drawn.height() > 2 * 100 ||
        (thumbnail.natural.isValid() &&
         qint64(thumbnail.natural.width()) * thumbnail.natural.height() > ThumbnailDecoder::kMaxPixels))
        __builtin_trap();
    return 0;
}
