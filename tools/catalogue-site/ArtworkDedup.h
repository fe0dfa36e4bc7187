#pragma once

#include "catalogue-site/IconEntry.h"
#include "catalogue-site/NounHierarchy.h"

#include <vector>

// One post per artwork: entries whose files are the same file (through symbolic links or other
// paths) or hold the same bytes (for SVG: the same drawing, whatever its metadata) become one. The first
// entry of each artwork stays in place; the names of the others become its tags, and their tags are added to
// its own.
class ArtworkDedup
{
public:
    static std::vector<IconEntry> collapse(std::vector<IconEntry> entries);
    // Adds `tag` to entry.tags unless it is there already or is the entry's own name.
    static void addTag(IconEntry& entry, const QString& tag);
    // Adds a source's keyword to entry.tags when `nouns` find it says what the icon shows, to
    // entry.associations when it names what goes with it; unless the entry has it already.
    static void addKeyword(IconEntry& entry, const QString& keyword, const NounHierarchy& nouns);
    // An icon name ("folder-music") as a tag ("folder music").
    static QString nameAsTag(const QString& name);
};
