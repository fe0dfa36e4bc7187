#pragma once

#include <QByteArray>
#include <QString>

// Writes files the program can always make again (cached thumbnails, the Sizes renderings of an
// export): the file appears complete or not at all, through a temporary file beside it that is
// renamed over it, but it is not forced to disk first. A crash may lose the newest one, never
// leave a cut one. Files the user asked for keep QSaveFile, which also syncs.
class CacheFile
{
public:
    // False with a reason in `error` when the file could not be written; nothing is left behind.
    // The temporary file is hidden and ends with the target's own name, so a clean-up of the
    // folder by pattern ("*.png") also finds one a crash left.
    [[nodiscard]] static bool write(const QString& path, const QByteArray& bytes, QString* error = nullptr);
};
