#include "catalogue/ThumbnailCache.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

const QString ThumbnailCache::kFolderName = QStringLiteral(".pictomine-cache");
const QString ThumbnailCache::kTagName = QStringLiteral("CACHEDIR.TAG");

namespace
{
// The cache directory tag convention (backup tools skip a folder holding it).
const QByteArray kTag =
    "Signature: 8a477f597d28d172789f06886806bc55\n"
    "# This file is a cache directory tag created by Pictomine.\n"
    "# Pictomine keeps its thumbnails here and empties this folder when a search starts.\n";
} // namespace

ThumbnailCache::ThumbnailCache(const QString& iconsFolder, FileWriter& files)
    : m_folder(iconsFolder + '/' + kFolderName), m_files(&files)
{
}

bool ThumbnailCache::isSafeName(const QString& name)
{
    if (name.isEmpty() || name == "." || name == ".." || name.toUtf8().size() > kMaxNameBytes)
        return false;
    for (QChar c : name)
        if (c == '/' || c == '\\' || c.category() == QChar::Other_Control)
            return false;
    return true;
}

bool ThumbnailCache::isOwn() const
{
    QFile tag(pathOf(kTagName));
    return tag.open(QIODevice::ReadOnly) && tag.read(kTag.indexOf('\n')) == kTag.left(kTag.indexOf('\n'));
}

void ThumbnailCache::clear() const
{
    const QFileInfo info(m_folder);
    // A link in the cache's place would lead the clean-up out of it: the link goes, not its target.
    if (info.isSymLink())
        QFile::remove(m_folder);
    QDir dir(m_folder);
    if (!dir.exists() && !QDir().mkpath(m_folder))
        return; // reported when a thumbnail cannot be stored
    if (!isOwn()) {
        if (!dir.isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
            return; // not the client's folder: nothing in it is deleted
        (void)m_files->write({pathOf(kTagName), FileWriter::Sync::Cached}, kTag);
        return;
    }
    // Skipped failures: a file another program holds open simply stays. Links are removed
    // themselves, never followed; folders are left alone.
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (name != kTagName)
            dir.remove(name);
    }
}

QString ThumbnailCache::store(const QString& name, const QByteArray& bytes, QString* error) const
{
    if (!isSafeName(name) || name == kTagName) {
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
