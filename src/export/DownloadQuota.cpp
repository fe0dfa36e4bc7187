#include "export/DownloadQuota.h"

#include "platform/FileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

const QString DownloadQuota::kRecordName = QStringLiteral(".pictomine-downloads");

namespace
{

// The record is small; a larger file is not ours to read.
constexpr qint64 kMaxRecordBytes = 4 * 1024 * 1024;

bool isPlainName(const QString& name)
{
    return !name.isEmpty() && name != "." && name != ".." && !name.contains('/') && !name.contains('\n');
}

} // namespace

DownloadQuota::DownloadQuota(QString folder, qint64 bound) : m_folder(std::move(folder)), m_bound(bound) {}

QStringList DownloadQuota::readRecord() const
{
    QFile file(QDir(m_folder).filePath(kRecordName));
    if (file.size() > kMaxRecordBytes || !file.open(QIODevice::ReadOnly))
        return {};
    QStringList names;
    const QDir dir(m_folder);
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QString name = QString::fromUtf8(line);
        if (isPlainName(name) && name != kRecordName && !names.contains(name) &&
            QFileInfo(dir.filePath(name)).isFile())
            names << name;
    }
    return names;
}

bool DownloadQuota::writeRecord(const QStringList& names) const
{
    QByteArray bytes;
    for (const QString& name : names)
        bytes += name.toUtf8() + '\n';
    // The record can be made again: atomic, not synced; a link in its place is replaced.
    return FileWriter::system().write(
        {QDir(m_folder).filePath(kRecordName), FileWriter::Sync::Cached, FileWriter::Links::Replace}, bytes);
}

bool DownloadQuota::touch(const QString& name)
{
    if (!isPlainName(name) || name == kRecordName)
        return false;
    QStringList names = readRecord();
    names.removeAll(name);
    names << name; // the most recently used comes last
    return writeRecord(names);
}

QStringList DownloadQuota::prune(const QSet<QString>& keep)
{
    const QDir dir(m_folder);
    qint64 total = 0;
    for (const QFileInfo& info :
         dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks))
        total += info.size();
    QSet<QString> kept;
    for (const QString& path : keep)
        kept << QFileInfo(path).canonicalFilePath();
    QStringList names = readRecord();
    QStringList removed;
    for (const QString& name : QStringList(names)) {
        if (total <= m_bound)
            break;
        const QFileInfo info(dir.filePath(name));
        if (info.isSymLink() || kept.contains(info.canonicalFilePath()))
            continue;
        const qint64 size = info.size();
        if (QFile::remove(info.filePath())) {
            total -= size;
            names.removeAll(name);
            removed << name;
        }
    }
    if (!removed.isEmpty())
        (void)writeRecord(names); // a stale line is dropped on the next read anyway
    return removed;
}
