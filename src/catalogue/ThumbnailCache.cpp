#include "catalogue/ThumbnailCache.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

bool ThumbnailCache::isSafeName(const QString& name)
{
    if (name.isEmpty() || name == "." || name == ".." || name.toUtf8().size() > kMaxNameBytes)
        return false;
    for (QChar c : name)
        if (c == '/' || c == '\\' || c.category() == QChar::Other_Control)
            return false;
    return true;
}

QString ThumbnailCache::store(const QString& name, const QByteArray& bytes) const
{
    if (!isSafeName(name))
        return QString();
    const QString path = pathOf(name);
    if (bytes.isEmpty()) {
        QFile::remove(path);
        return QString();
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return QString();
    return path;
}

void ThumbnailCache::deletePngs() const
{
    QDir dir(m_folder);
    // Skipped failures: a file another program holds open simply stays.
    for (const QString& name : dir.entryList({"*.png"}, QDir::Files))
        dir.remove(name);
}
