#include "app/FolderLock.h"

#include <QDir>
#include <QTextStream>

FolderLock::FolderLock(const QString& folder) : m_folder(folder), m_lock(folder + "/.pictomine.lock")
{
    // The owner's process id decides, never the lock's age: a window runs for days.
    m_lock.setStaleLockTime(0);
}

QString FolderLock::acquire()
{
    if (m_lock.tryLock(0))
        return {};
    if (m_lock.error() == QLockFile::LockFailedError) {
        return QStringLiteral("Pictomine is already running with the folder %1.\n\n"
                              "Use that window, or start this one with another folder (--home DIR).")
            .arg(QDir::toNativeSeparators(m_folder));
    }
    QTextStream(stderr) << "pictomine: the folder " << QDir::toNativeSeparators(m_folder)
                        << " cannot be locked; another Pictomine started on it would not be noticed.\n";
    return {};
}
