#pragma once

#include <QLockFile>
#include <QString>

// One running window per application folder: two would empty each other's thumbnail cache in the
// middle of a page and lose each other's keyword updates. The lock is a file in the folder, held
// while this object lives; one left by a process that died is taken over.
class FolderLock
{
public:
    explicit FolderLock(const QString& folder);

    // Takes the folder. Empty when this process holds it now, else the message for the user.
    // A lock file that cannot be made at all (a full disk) does not stop the program: it runs
    // without the guard, and says so on stderr.
    [[nodiscard]] QString acquire();

private:
    QString m_folder;
    QLockFile m_lock;
};
