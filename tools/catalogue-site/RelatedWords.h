#pragma once

#include "catalogue-site/IconEntry.h"

#include <QSet>
#include <QString>
#include <QStringList>

// A small table of subject words (the client's 20 category words and some common icon words)
// with words related to each: a post whose name or tags hold a related word is tagged with the
// subject, so a search for "medical" also finds the pill, the syringe and the ambulance.
class RelatedWords
{
public:
    // The subjects in table order.
    static QStringList subjects();
    // The subjects whose related words (or those words with a plural "s") are among `terms`:
    // compact words and phrases, lowercase letters and digits only.
    static QStringList subjectsFor(const QSet<QString>& terms);
    // Sets entry.related to the subjects its name and tags call for.
    static void tag(IconEntry& entry);
    // The compact words and phrases of an entry's name and tags, as subjectsFor takes them.
    static QSet<QString> termsOf(const IconEntry& entry);
    // The same for a name alone.
    static QSet<QString> termsOfName(const QString& name);

private:
    static QSet<QString> phraseTerms(const QStringList& phrases);
};
