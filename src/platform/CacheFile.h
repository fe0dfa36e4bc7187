#pragma once

#include <QByteArray>
#include <QString>

// Writes files the program can always make again (cached thumbnails, rendered by-products):
// atomically, through a temporary file in the same folder renamed over the target, so a reader
// never sees half a file, but without forcing the data to disk. Files the user owns keep full
// durability through QSaveFile instead.
class CacheFile
{
public:
    // The temporary file is hidden and ends in tempSuffix, so a clean-up by pattern finds leftovers.
    [[nodiscard]] static bool write(const QString& path, const QByteArray& bytes,
                                    const QString& tempSuffix = QStringLiteral(".part"));
};
