#pragma once

#include "catalogue-site/IconEntry.h"

#include <QString>
#include <QStringList>

#include <vector>

// How well a search keyword fits a post. The client sends the search text without spaces, so a
// keyword is matched against runs of consecutive words: "arrowleft" fits the name "arrow-left-bold".
// Either the last word of a run or the keyword may carry a plural or similar ending beyond the
// other ("animal" fits "animals" and back, "shop" fits "shopping"). A keyword that only occurs inside the
// name ("calc" in "calculator") fits loosely. Related subjects (RelatedWords) rank below the post's own tags.
class KeywordMatch
{
public:
    enum class Rank { None, Name, Tag, Related, Partial }; // after None, best first

    // The words of a post, prepared once: its name's words, each tag's words, its related subjects.
    struct Terms {
        QStringList nameWords;
        std::vector<QStringList> tagWords;
        QStringList related;
        QString compact;
    };
    static Terms termsOf(const IconEntry& entry);

    // The keyword in the form matched: its letters and digits, lowercase.
    static QString normalise(const QString& keyword);
    // The rank of a normalised, non-empty keyword for a post.
    static Rank rank(const Terms& terms, const QString& keyword);
    // Whether keyword equals a run of consecutive words, but for an ending on either side.
    static bool fitsRun(const QStringList& words, const QString& keyword);
};
