#include "imaging/ImageSignature.h"

QByteArray ImageSignature::formatOf(const QByteArray& head)
{
    static const struct {
        const char* magic;
        int length;
        const char* format;
    } signatures[] = {
        {"\x89PNG\r\n\x1a\n", 8, "png"},
        {"\xff\xd8\xff", 3, "jpeg"},
        {"GIF87a", 6, "gif"},
        {"GIF89a", 6, "gif"},
        {"BM", 2, "bmp"},
        {"II*\0", 4, "tiff"},
        {"MM\0*", 4, "tiff"},
        {"\0\0\1\0", 4, "ico"},
    };
    for (const auto& s : signatures) {
        if (head.startsWith(QByteArray::fromRawData(s.magic, s.length)))
            return s.format;
    }
    if (head.size() >= 12 && head.startsWith("RIFF") && head.mid(8, 4) == "WEBP")
        return "webp";
    return {};
}

bool ImageSignature::isThumbnailFormat(const QByteArray& format)
{
    return format == "png" || format == "jpeg" || format == "gif" || format == "bmp" || format == "webp";
}
