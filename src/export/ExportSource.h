#pragma once

#include <QImage>
#include <QString>

class QIODevice;

// Decodes the picture an export starts from, within a pixel bound. The export holds the decoded
// picture, a 32-bit canvas of the same size and, for GIF, four more bytes a pixel, so the bound
// keeps the whole export well under a gigabyte: 2^25 pixels (33.5 million, 5,792 x 5,792).
// Sizes the file states up front are checked before any pixel is decoded.
//
// Only raster formats recognised from the file's first bytes are read (PNG, JPEG, GIF, BMP, WebP,
// TIFF, ICO), whatever the file is called: never a vector format, whose drawing time no pixel
// bound limits. Naming the format also spares loading every image plug-in to ask each one. BMP
// files go through the bitmap file check first (BmpFileCheck: sizes within the file, run-length
// data limited to the pixels it could describe).
class ExportSource
{
public:
    static constexpr qint64 kMaxPixels = qint64(1) << 25;

    struct Decoded {
        QImage image;  // null on failure
        QString error; // why not; a whole sentence when tooLarge, the decoder's words else
        bool tooLarge = false;
    };

    // Qt's image reader refuses any decode above a global allocation limit (256 MB by default,
    // less than a 16-bit picture at the bound needs). Raises it to what the bound allows at 16
    // bytes a pixel. Call once on the main thread before exports run.
    static void allowBoundedImages();

    [[nodiscard]] static Decoded read(const QString& path);
    // The same from bytes in memory (a download before it is stored).
    [[nodiscard]] static Decoded readBytes(QByteArray bytes);
    // The sentence for a picture beyond the bound, naming its size.
    static QString tooLargeMessage(QSize size);

private:
    static Decoded readDevice(QIODevice& file);
};
