#include "export/GifWriter.h"

#include <QIODevice>

#include <gif_lib.h>

#include <vector>

namespace
{

int writeToDevice(GifFileType* gif, const GifByteType* data, int length)
{
    auto* device = static_cast<QIODevice*>(gif->UserData);
    return int(device->write(reinterpret_cast<const char*>(data), length));
}

int colorMapSize(int entries)
{
    int size = 2;
    while (size < entries && size < 256)
        size *= 2;
    return size;
}

bool failWith(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

} // namespace

QString GifWriter::tooLarge(int width, int height)
{
    return QStringLiteral(
               "The image is %1 x %2 pixels; a GIF image can be at most 65,535 pixels wide and high")
        .arg(width)
        .arg(height);
}

bool GifWriter::write(const QImage& indexed, QIODevice& device, QString* error)
{
    if (indexed.format() != QImage::Format_Indexed8 || indexed.isNull())
        return failWith(error, QStringLiteral("GIF writer needs an 8-bit palette image"));
    if (indexed.width() > kMaxSide || indexed.height() > kMaxSide)
        return failWith(error, tooLarge(indexed.width(), indexed.height()));
    const QList<QRgb> table = indexed.colorTable();
    const int mapSize = colorMapSize(int(table.size()));
    std::vector<GifColorType> colors(mapSize, GifColorType{0, 0, 0});
    int transparentIndex = NO_TRANSPARENT_COLOR;
    for (int i = 0; i < int(table.size()) && i < mapSize; ++i) {
        colors[i] = GifColorType{GifByteType(qRed(table[i])), GifByteType(qGreen(table[i])),
                                 GifByteType(qBlue(table[i]))};
        if (transparentIndex == NO_TRANSPARENT_COLOR && qAlpha(table[i]) == 0)
            transparentIndex = i;
    }

    int code = 0;
    GifFileType* gif = EGifOpen(&device, writeToDevice, &code);
    if (!gif)
        return failWith(error, QStringLiteral("GIF writer could not start: %1").arg(GifErrorString(code)));
    ColorMapObject* map = GifMakeMapObject(mapSize, colors.data());
    bool ok = map != nullptr;
    EGifSetGifVersion(gif, true);
    ok = ok && EGifPutScreenDesc(gif, indexed.width(), indexed.height(), 8, 0, map) == GIF_OK;
    if (ok && transparentIndex != NO_TRANSPARENT_COLOR) {
        GraphicsControlBlock gcb{};
        gcb.DisposalMode = DISPOSAL_UNSPECIFIED;
        gcb.DelayTime = 0;
        gcb.TransparentColor = transparentIndex;
        GifByteType extension[4];
        const size_t length = EGifGCBToExtension(&gcb, extension);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(length), extension) == GIF_OK;
    }
    ok = ok && EGifPutImageDesc(gif, 0, 0, indexed.width(), indexed.height(), false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < indexed.height(); ++y)
        ok = EGifPutLine(gif, const_cast<GifPixelType*>(indexed.constScanLine(y)), indexed.width()) == GIF_OK;
    const int failure = gif->Error;
    int closeCode = 0;
    const bool closed = EGifCloseFile(gif, &closeCode) == GIF_OK;
    GifFreeMapObject(map);
    if (!ok)
        return failWith(error, QStringLiteral("GIF writer failed: %1").arg(GifErrorString(failure)));
    if (!closed)
        return failWith(error, QStringLiteral("GIF writer failed: %1").arg(GifErrorString(closeCode)));
    return true;
}
