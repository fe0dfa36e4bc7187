#include "catalogue-site/IconDirectoryScan.h"

#include "catalogue-site/IconNaming.h"

#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>

std::vector<IconEntry> IconDirectoryScan::scan(const QStringList& folders)
{
    QStringList files;
    for (const QString& folder : folders) {
        QDirIterator it(folder, {"*.svg", "*.png", "*.SVG", "*.PNG"}, QDir::Files,
                        QDirIterator::Subdirectories | QDirIterator::FollowSymlinks);
        while (it.hasNext())
            files << it.next();
    }
    std::sort(files.begin(), files.end());

    std::vector<IconEntry> entries;
    entries.reserve(size_t(files.size()));
    for (const QString& file : files) {
        IconEntry e;
        e.name = IconNaming::nameFromFileBase(QFileInfo(file).completeBaseName());
        if (e.name.isEmpty())
            continue;
        e.compact = IconNaming::compact(e.name);
        e.file = file;
        entries.push_back(std::move(e));
    }
    return entries;
}
