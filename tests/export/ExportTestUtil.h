#pragma once

#include <QImage>
#include <QList>
#include <QString>

// Independent readers for what the writers produce, and small image builders.
namespace ExportTestUtil {

struct GifContents {
    bool ok = false;
    int width = 0;
    int height = 0;
    QList<QRgb> colorMap;     // global colour map as read, alpha 255
    int transparentIndex = -1;
    QList<int> indices;       // row-major, top row first
    QRgb colorAt(int x, int y) const { return colorMap.value(indices.value(y * width + x)); }
    int indexAt(int x, int y) const { return indices.value(y * width + x); }
};

// Reads a GIF with giflib's decoder.
GifContents readGif(const QString& path);

struct IcoEntry {
    int width = 0;
    int height = 0;
    int bitCount = 0;
    bool png = false;
    QImage image;  // decoded entry (PNG through Qt, DIB by hand with its AND mask)
};
// Parses an icon file's directory and entries by hand; empty on a malformed file.
QList<IcoEntry> readIco(const QString& path, QString* problem = nullptr);

// Runs ImageMagick's identify with a format string; empty when it is not installed or fails.
QString identify(const QString& format, const QString& path);

} // namespace ExportTestUtil
