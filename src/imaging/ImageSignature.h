#pragma once

#include <QByteArray>

// Tells a picture's format from its first bytes, never from its name, so the decoder chosen is
// the one for what the file really holds and no other image plug-in is asked.
class ImageSignature
{
public:
    // The QImageReader format of bytes starting this way ("png", "jpeg", "gif", "bmp", "webp",
    // "tiff", "ico"); empty for anything else (SVG and other vector formats included).
    [[nodiscard]] static QByteArray formatOf(const QByteArray& head);
    // PNG, JPEG, GIF, BMP or WebP: the formats a catalogue's thumbnails come in.
    [[nodiscard]] static bool isThumbnailFormat(const QByteArray& format);
};
