#pragma once

#include <QByteArray>

class DibSection;

// The packed device-independent bitmap of the clipboard's DIB format and of a BMP file after its
// file header: the 40-byte header, the colour table (palette depths) and the pixel rows.
class PackedDib
{
public:
    [[nodiscard]] static QByteArray pack(const DibSection& section);
    // Rebuilds a section from packed bytes. Refuses (false, section left empty) a block whose
    // header is malformed, claims more bytes than the block holds or has absurd dimensions.
    // Bottom-up and top-down rows, a colour table shortened by biClrUsed, and 32-bit bit-field
    // blocks with their three masks are accepted.
    [[nodiscard]] static bool unpack(const QByteArray& bytes, DibSection& section);
};
