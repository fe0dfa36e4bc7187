#pragma once

#include "platform/AppPaths.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtEndian>

#include <gif_lib.h>
#include <gtest/gtest.h>

// Independent readers for what the writers produce.
namespace ExportTestUtil
{

struct GifContents {
    int width = 0;
    QList<QRgb> colorMap; // global colour map, alpha 255
    int transparentIndex = -1;
    QList<int> indices; // row-major, top row first; empty when the file could not be read
    int indexAt(int x, int y) const { return indices.value(y * width + x, -2); }
    QRgb colorAt(int x, int y) const { return colorMap.value(indexAt(x, y)); }
};

// Reads a GIF with giflib's decoder.
inline GifContents readGif(const QString& path)
{
    GifContents result;
    int error = 0;
    GifFileType* gif = DGifOpenFileName(QFile::encodeName(path).constData(), &error);
    if (gif && DGifSlurp(gif) == GIF_OK && gif->ImageCount >= 1 && gif->SColorMap &&
        gif->SavedImages[0].ImageDesc.Width * gif->SavedImages[0].ImageDesc.Height ==
            gif->SWidth * gif->SHeight) {
        result.width = gif->SWidth;
        for (int i = 0; i < gif->SColorMap->ColorCount; ++i)
            result.colorMap << qRgb(gif->SColorMap->Colors[i].Red, gif->SColorMap->Colors[i].Green,
                                    gif->SColorMap->Colors[i].Blue);
        GraphicsControlBlock gcb{};
        if (DGifSavedExtensionToGCB(gif, 0, &gcb) == GIF_OK)
            result.transparentIndex = gcb.TransparentColor;
        for (int i = 0; i < gif->SWidth * gif->SHeight; ++i)
            result.indices << gif->SavedImages[0].RasterBits[i];
    }
    DGifCloseFile(gif, &error); // refuses a null handle
    return result;
}

// A GIF that states its size (screen and one image) and holds no pixels: readers learn the size,
// a decoder finds nothing to decode.
inline QByteArray gifHeader(quint16 width, quint16 height)
{
    char sides[4];
    qToLittleEndian(width, sides);
    qToLittleEndian(height, sides + 2);
    const QByteArray size(sides, 4);
    return "GIF89a" + size + QByteArray(3, '\0') + QByteArray(",\0\0\0\0", 5) + size +
           QByteArray("\0\x02\0;", 4);
}

// ImageMagick's description of a file (scripts/setup installs it).
inline QString identify(const QString& format, const QString& path)
{
    QProcess process;
    process.start("identify", {"-format", format, path});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

// What file(1) says of a file, without its name.
inline QString fileType(const QString& path)
{
    QProcess process;
    process.start("file", {"-b", path});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

// The file as ImageMagick decodes it, in 8-bit ARGB; fully transparent pixels as 0.
// Metafiles are drawn at 96 units an inch, their own.
inline QImage decodedByImageMagick(const QString& path)
{
    QProcess process;
    process.start("convert-im6.q16",
                  {"-density", "96", path, "-background", "none", "-alpha", "background", "png32:-"});
    process.waitForFinished(60000);
    return QImage::fromData(process.readAllStandardOutput(), "PNG").convertToFormat(QImage::Format_ARGB32);
}

// The bitmap of a one-bitmap WMF as libwmf reads it: wmf2svg writes it beside the file as a PNG
// and places it in the picture's own size, which must be the bitmap's.
inline QImage bitmapOfWmf(const QString& path)
{
    const QString svg = path + ".svg";
    QProcess process;
    process.start("wmf2svg", {"-o", svg, path});
    process.waitForFinished(60000);
    QFile file(svg);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(file.readAll());
    const QRegularExpression image(
        "<image [^>]*width=\"([0-9.]+)\" height=\"([0-9.]+)\"[^>]*href=\"([^\"]+)\"");
    const QRegularExpressionMatch match = image.match(text);
    const QImage bitmap(match.captured(3));
    if (!match.hasMatch() ||
        QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble()) != QSizeF(bitmap.size()))
        return {};
    return bitmap.convertToFormat(QImage::Format_ARGB32);
}

// The bitmap of a one-bitmap EMF as libemf2svg reads it: the SVG it makes embeds it as a PNG.
inline QImage bitmapOfEmf(const QString& path)
{
    const QString svg = path + ".svg";
    QProcess process;
    process.start("emf2svg-conv", {"-i", path, "-o", svg});
    process.waitForFinished(60000);
    QFile file(svg);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray text = file.readAll();
    const QByteArray marker = "data:image/png;base64,";
    const qsizetype start = text.indexOf(marker);
    if (start < 0)
        return {};
    const qsizetype end = text.indexOf('"', start);
    const QByteArray base64 = text.mid(start + marker.size(), end - start - marker.size());
    return QImage::fromData(QByteArray::fromBase64(base64), "PNG").convertToFormat(QImage::Format_ARGB32);
}

// A fresh application folder for each test, and a place for its output files.
class AppFolder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        paths.ensureLayout();
    }
    QString out(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    const AppPaths paths{dir.filePath("app")};
};

} // namespace ExportTestUtil
