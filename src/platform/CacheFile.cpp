#include "platform/CacheFile.h"

#include <QFileInfo>
#include <QTemporaryFile>

#include <cstdio>

bool CacheFile::write(const QString& path, const QByteArray& bytes, const QString& tempSuffix)
{
    const QFileInfo target(path);
    QTemporaryFile temp(target.absolutePath() + "/.pictomine-XXXXXX" + tempSuffix);
    if (!temp.open() || temp.write(bytes) != bytes.size() || !temp.flush())
        return false;
    // rename(2) replaces the target in one step; QFile::rename refuses an existing target.
    if (std::rename(QFile::encodeName(temp.fileName()).constData(), QFile::encodeName(path).constData()) != 0)
        return false;
    temp.setAutoRemove(false);
    return true;
}
