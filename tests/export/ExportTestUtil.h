#pragma once

#include "platform/AppPaths.h"

#include <QFile>
#include <QImageReader>
#include <QProcess>
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

struct IcoEntry {
    QImage image; // as Qt's icon reader decodes it, in ARGB32
    bool png = false;
    bool dib32 = false; // a 32-bit BITMAPINFOHEADER DIB of twice the height (image and AND mask)
};

// Reads an icon file's entries with Qt's icon reader, and what each entry holds from its bytes.
inline QList<IcoEntry> readIco(const QString& path)
{
    QFile file(path);
    const QByteArray data = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    QImageReader reader(path, "ico");
    QList<IcoEntry> entries;
    for (int i = 0; data.size() >= 6 + 16 * (i + 1) && i < reader.imageCount() && reader.jumpToImage(i);
         ++i) {
        const QByteArray body = data.mid(qFromLittleEndian<quint32>(data.constData() + 18 + 16 * i), 40);
        const QImage image = reader.read().convertToFormat(QImage::Format_ARGB32);
        const bool dib32 = body.size() == 40 && qFromLittleEndian<quint32>(body.constData()) == 40 &&
                           qFromLittleEndian<qint32>(body.constData() + 8) == 2 * image.height() &&
                           qFromLittleEndian<quint16>(body.constData() + 14) == 32;
        entries << IcoEntry{image, body.startsWith("\x89PNG"), dib32};
    }
    return entries;
}

// A PNG file that states its size (signature, header chunk and an empty data chunk, each with its
// checksum) and holds no pixels: readers learn the size, a decoder finds nothing to decode.
inline QByteArray pngHeader(quint32 width, quint32 height)
{
    auto chunk = [](const QByteArray& typeAndData) {
        char field[4];
        QByteArray out;
        qToBigEndian(quint32(typeAndData.size() - 4), field);
        out.append(field, 4).append(typeAndData);
        quint32 crc = 0xFFFFFFFFu;
        for (char c : typeAndData) {
            crc ^= quint8(c);
            for (int k = 0; k < 8; ++k)
                crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
        qToBigEndian(~crc, field);
        return out.append(field, 4);
    };
    QByteArray header = "IHDR";
    char field[4];
    for (quint32 v : {width, height}) {
        qToBigEndian(v, field);
        header.append(field, 4);
    }
    header.append("\x08\x06\x00\x00\x00", 5); // 8 bits, RGBA, deflate, no filter, no interlace
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + chunk(header) + chunk("IDAT");
}

// ImageMagick's description of a file (scripts/setup installs it).
inline QString identify(const QString& format, const QString& path)
{
    QProcess process;
    process.start("identify", {"-format", format, path});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

// A fresh application folder for each test, and a place for its output files.
class AppFolder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        AppPaths::setRoot(dir.filePath("app"));
        AppPaths::ensureLayout();
    }
    void TearDown() override { AppPaths::setRoot({}); }
    QString out(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
};

} // namespace ExportTestUtil
