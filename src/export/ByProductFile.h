#pragma once

#include <QByteArray>
#include <QString>

// Writes a by-product of an export (the Sizes renderings): the file appears complete or not at
// all, through a temporary file beside it that is renamed over it, but it is not forced to disk
// first. A crash may lose the newest by-product, never leave a cut one; the files the user asked
// for keep QSaveFile, which also syncs.
class ByProductFile
{
public:
    // False with a reason in `error` when the file could not be written; nothing is left behind.
    [[nodiscard]] static bool write(const QString& path, const QByteArray& bytes, QString* error = nullptr);
};
