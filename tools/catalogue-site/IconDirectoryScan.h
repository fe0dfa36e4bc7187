#pragma once

#include "catalogue-site/IconEntry.h"

#include <QStringList>

#include <vector>

// Finds the SVG and PNG files under icon folders (recursively, following links) and names an icon
// after each file. Paths are visited in sorted order so the same folders give the same icons.
class IconDirectoryScan
{
public:
    // Entries with name, compact name and file set (no date yet); files whose base name yields no
    // name are left out.
    static std::vector<IconEntry> scan(const QStringList& folders);
};
