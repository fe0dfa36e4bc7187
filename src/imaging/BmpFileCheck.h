#pragma once

#include <QByteArray>
#include <QString>

// Checks a BMP file's bytes before any decoder sees them: every size the headers claim must lie
// inside the file and the dimensions must be sane, so a truncated or hostile file is refused
// instead of being read past its end or allocated at an absurd size. Run-length compressed files
// may describe at most 128 pixels per byte of data (or 2^20 pixels, whichever is more).
class BmpFileCheck
{
public:
    struct Result {
        bool ok = false;
        int bitCount = 0;       // depth the file declares
        qint64 tableOffset = 0; // where the colour table starts in the file
        int tableEntries = 0;   // entries of the colour table (0 above 8 bits)
        int entryBytes = 4;     // 3 for the old core header's entries
        QString reason;         // why the file was refused (empty when ok)
    };

    [[nodiscard]] static Result check(const QByteArray& file);

private:
    static Result refuse(const QString& reason);
};
