#pragma once

#include "catalogue-site/IconEntry.h"
#include "catalogue-site/NounHierarchy.h"

#include <QString>

#include <vector>

// Reads a freedesktop icon theme (its index.theme and the folders it lists) as catalogue entries,
// one per icon: the same icon in several size folders is one entry drawn from the largest, names
// that are symbolic links to it become its tags, and so does its context folder ("apps",
// "devices", "places", "mimetypes", "actions", "status", ...). Folders reached twice through links
// are read once. Recoloured copies of the folder and user icons ("folder-red-music") are left
// out; the default colour's copy stands for them under the plain name ("folder-music").
class IconThemeScan
{
public:
    // Entries with name, compact name, file and tags (no date, no source); empty when the theme
    // has no index.theme. An icon named after one of the theme's applications ("knemo-monitor-idle")
    // is that application's tray or status icon and counts as an application's too ("apps"), unless
    // `nouns` know the name as a thing ("weather-clear").
    static std::vector<IconEntry> scan(const QString& themeFolder, const NounHierarchy& nouns = {});
};
