#pragma once

#include "catalogue-site/IconEntry.h"
#include "catalogue-site/NounHierarchy.h"

#include <QString>

#include <vector>

// Reads an EmojiOne set as shipped by the gemojione gem: config/index.json names every emoji
// (name, short name, aliases, category and keywords) and assets/svg/<code points>.svg draws it.
// One entry per emoji; the skin-tone copies of an emoji and the bare tone swatches are left out,
// as they repeat its artwork. Flags are named "flag-<country>".
class EmojiIndexScan
{
public:
    // Entries with name, compact name, file, tags (the aliases, the category, "emoji" and the keywords
    // that `nouns` find describe the emoji) and associations (the other keywords); empty when the
    // folder holds no readable index.
    static std::vector<IconEntry> scan(const QString& gemFolder, const NounHierarchy& nouns = {});
};
