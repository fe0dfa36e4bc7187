#pragma once

#include <QImage>
#include <QString>

class QIODevice;

// Writes a picture as a Windows metafile that holds it as one 24-bit device-independent bitmap,
// stretched to the picture's own size (one logical unit per pixel, 96 per inch). Alpha is not
// stored: callers put the picture on a background first.
//
// EMF: EMR_HEADER, EMR_STRETCHDIBITS, EMR_EOF.
// WMF: the placeable header, META_HEADER, META_SETWINDOWORG and META_SETWINDOWEXT (so that
// players map the picture without the placeable header too), META_STRETCHDIB, the end record.
class MetafileWriter
{
public:
    // WMF stores coordinates in signed 16 bits.
    static constexpr int kMaxWmfSide = 32767;

    // False with a reason in `error` when the picture is empty, too large for the format (nothing
    // is written then) or the device refuses a write.
    static bool writeEmf(const QImage& image, QIODevice& device, QString* error = nullptr);
    static bool writeWmf(const QImage& image, QIODevice& device, QString* error = nullptr);
};
