#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

// Keeps the downloads folder within a size bound. It records which files the client downloaded
// itself and in which order they were last used (a hidden list in the folder, kRecordName); when
// the folder's files grow beyond the bound it removes recorded files, least recently used first,
// until the folder fits again. Files the client did not download are never removed (they still
// count towards the size), nor is any file the caller names to keep.
class DownloadQuota
{
public:
    static constexpr qint64 kDefaultBound = qint64(200) * 1024 * 1024;
    static const QString kRecordName;

    explicit DownloadQuota(QString folder, qint64 bound = kDefaultBound);

    // Records the folder's file `name` as downloaded by the client and used now. False when the
    // record could not be written (the file is then not known as the client's).
    bool touch(const QString& name);
    // Removes recorded files, least recently used first, while the folder's files total more than
    // the bound; never one that `keep` names (paths compared after resolving links). Returns the
    // names removed.
    QStringList prune(const QSet<QString>& keep);

private:
    // Recorded names, least recently used first, of files that still exist.
    QStringList readRecord() const;
    bool writeRecord(const QStringList& names) const;

    QString m_folder;
    qint64 m_bound;
};
