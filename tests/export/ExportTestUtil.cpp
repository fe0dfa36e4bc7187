#include "ExportTestUtil.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QtEndian>

#include <gif_lib.h>

namespace ExportTestUtil {

GifContents readGif(const QString& path)
{
    GifContents result;
    int error = 0;
    const QByteArray name = QFile::encodeName(path);
    GifFileType* gif = DGifOpenFileName(name.constData(), &error);
    if (!gif)
        return result;
    if (DGifSlurp(gif) == GIF_OK && gif->ImageCount >= 1 && gif->SColorMap) {
        result.width = gif->SWidth;
        result.height = gif->SHeight;
        for (int i = 0; i < gif->SColorMap->ColorCount; ++i) {
            const GifColorType c = gif->SColorMap->Colors[i];
            result.colorMap << qRgb(c.Red, c.Green, c.Blue);
        }
        GraphicsControlBlock gcb{};
        if (DGifSavedExtensionToGCB(gif, 0, &gcb) == GIF_OK)
            result.transparentIndex = gcb.TransparentColor;
        const SavedImage& image = gif->SavedImages[0];
        const int count = image.ImageDesc.Width * image.ImageDesc.Height;
        for (int i = 0; i < count; ++i)
            result.indices << image.RasterBits[i];
        result.ok = image.ImageDesc.Width == result.width && image.ImageDesc.Height == result.height;
    }
    DGifCloseFile(gif, &error);
    return result;
}

namespace {

quint16 u16(const QByteArray& data, qsizetype at) { return qFromLittleEndian<quint16>(data.constData() + at); }
quint32 u32(const QByteArray& data, qsizetype at) { return qFromLittleEndian<quint32>(data.constData() + at); }

bool setProblem(QString* problem, const QString& text)
{
    if (problem)
        *problem = text;
    return false;
}

bool decodeDib(const QByteArray& data, IcoEntry& entry, QString* problem)
{
    if (data.size() < 40 || u32(data, 0) != 40)
        return setProblem(problem, "entry is not a BITMAPINFOHEADER DIB");
    const int w = int(u32(data, 4));
    const int h2 = int(u32(data, 8));
    entry.bitCount = u16(data, 14);
    if (w != entry.width || h2 != 2 * entry.height || entry.bitCount != 32 || u32(data, 16) != 0)
        return setProblem(problem, "DIB header does not match the directory");
    const int h = entry.height;
    const qsizetype xorBytes = qsizetype(w) * h * 4;
    const int maskStride = (w + 31) / 32 * 4;
    if (data.size() < 40 + xorBytes + qsizetype(maskStride) * h)
        return setProblem(problem, "DIB entry is truncated");
    QImage image(w, h, QImage::Format_ARGB32);
    for (int row = 0; row < h; ++row) {
        const int y = h - 1 - row;  // stored bottom row first
        const char* px = data.constData() + 40 + qsizetype(row) * w * 4;
        const char* mask = data.constData() + 40 + xorBytes + qsizetype(row) * maskStride;
        for (int x = 0; x < w; ++x) {
            const uchar* p = reinterpret_cast<const uchar*>(px + 4 * x);
            const bool masked = (uchar(mask[x / 8]) >> (7 - x % 8)) & 1;
            // A masked pixel must be one the alpha already hides.
            if (masked && p[3] >= 128)
                return setProblem(problem, "AND mask hides a visible pixel");
            image.setPixel(x, y, qRgba(p[2], p[1], p[0], p[3]));
        }
    }
    entry.image = image;
    return true;
}

} // namespace

QList<IcoEntry> readIco(const QString& path, QString* problem)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setProblem(problem, "cannot open");
        return {};
    }
    const QByteArray data = file.readAll();
    if (data.size() < 6 || u16(data, 0) != 0 || u16(data, 2) != 1) {
        setProblem(problem, "not an icon header");
        return {};
    }
    const int count = u16(data, 4);
    if (data.size() < 6 + 16 * count) {
        setProblem(problem, "directory truncated");
        return {};
    }
    QList<IcoEntry> entries;
    for (int i = 0; i < count; ++i) {
        const qsizetype d = 6 + 16 * i;
        IcoEntry entry;
        entry.width = uchar(data[d]) == 0 ? 256 : uchar(data[d]);
        entry.height = uchar(data[d + 1]) == 0 ? 256 : uchar(data[d + 1]);
        const quint32 bytes = u32(data, d + 8);
        const quint32 offset = u32(data, d + 12);
        if (u16(data, d + 4) != 1 || offset + quint64(bytes) > quint64(data.size())) {
            setProblem(problem, "directory entry out of range");
            return {};
        }
        const QByteArray body = data.mid(offset, bytes);
        entry.png = body.startsWith("\x89PNG");
        if (entry.png) {
            entry.bitCount = u16(data, d + 6);
            entry.image = QImage::fromData(body, "PNG");
            if (entry.image.size() != QSize(entry.width, entry.height)) {
                setProblem(problem, "PNG entry size differs from the directory");
                return {};
            }
        } else if (!decodeDib(body, entry, problem)) {
            return {};
        }
        entries << entry;
    }
    return entries;
}

QString identify(const QString& format, const QString& path)
{
    const QString program = QStandardPaths::findExecutable("identify");
    if (program.isEmpty())
        return {};
    QProcess process;
    process.start(program, {"-format", format, path});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

} // namespace ExportTestUtil
