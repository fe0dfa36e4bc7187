#pragma once

#include <QString>

class DibSection;
class QIODevice;

// BMP files of a section: writing the exact layout (file header, the 40-byte header, colour
// table, bottom-up rows) and reading any BMP a real decoder understands, after checking the file.
class BmpFile
{
public:
    // Files beyond this size are never read into memory.
    static constexpr qint64 kMaxFileBytes = qint64(160) << 20;

    // Writes the section; false when it is empty or a write failed (later writes are skipped).
    [[nodiscard]] static bool write(const DibSection& section, QIODevice& out);
    // Replaces the section by the file's pixels at the file's depth (16-bit files become 24-bit).
    // Returns the depth, 0 when the file is refused or cannot be decoded (section left empty).
    [[nodiscard]] static int read(const QByteArray& file, DibSection& section);
};
