#include "catalogue/ThumbnailCache.h"

#include <QDir>
#include <QFile>

bool ThumbnailCache::isSafeName(const QString& name)
{
    if (name.isEmpty() || name == "." || name == ".." || name.toUtf8().size() > kMaxNameBytes)
        return false;
    for (QChar c : name)
        if (c == '/' || c == '\\' || c.category() == QChar::Other_Control)
            return false;
    return true;
}

QString ThumbnailCache::store(const QString& name, const QByteArray& bytes, QString* error) const
{
    if (!isSafeName(name)) {
        if (error)
            *error = QStringLiteral("\"%1\" is not a usable file name").arg(name);
        return QString();
    }
    const QString path = pathOf(name);
    if (bytes.isEmpty()) {
        QFile::remove(path);
        return QString();
    }
    // The cache is made again by every query: atomic, but not forced to disk.
    return m_files->write({path, FileWriter::Sync::Cached, FileWriter::Links::Replace}, bytes, error)
               ? path
               : QString();
}

void ThumbnailCache::deletePngs() const
{
    QDir dir(m_folder);
    // Skipped failures: a file another program holds open simply stays.
    for (const QString& name : dir.entryList({"*.png"}, QDir::Files | QDir::Hidden))
        dir.remove(name);
}
