#pragma once

#include <QByteArray>
#include <QString>

class QMimeData;

// A picture file as other programs take it from the clipboard or a drop: the file itself
// (text/uri-list) and its picture as image/png.
class IconMimeData
{
public:
    static constexpr const char* kPngType = "image/png";

    // The file's picture as PNG bytes: a PNG file as it is, another raster format decoded (within
    // the export's pixel bound) and encoded. Empty when the file cannot be read or decoded.
    [[nodiscard]] static QByteArray pngBytes(const QString& path);
    // The file and its PNG bytes as mime data (the caller owns it).
    [[nodiscard]] static QMimeData* make(const QString& path, const QByteArray& png);
    // Both at once; null when the picture cannot be had.
    [[nodiscard]] static QMimeData* fromFile(const QString& path);
};
