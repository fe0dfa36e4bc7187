#pragma once

#include "catalogue-site/IconEntry.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <vector>

// How well a search fits a post. A search is one or more words, each of which must fit; a word
// fits a whole word of the post (plural endings and accents aside) or a run of consecutive words
// written together ("arrowleft" fits "arrow-left"), or, less well, the start of a name word ("rain"
// fits "raindrop", never "brain"). Where it fits decides the rank: the icon's own name is trusted
// over the keywords its source gave it, and those over the theme's aliases and related subjects. A
// name word the search only qualifies ("bookmark" for "book") ranks below the keywords, and a synonym
// fits names and keywords only. A theme names its icons from the general to the specific
// ("edit-copy", "user-trash"), so its first word is a qualifier too; an application's name is a
// brand that shows the word only when it is nothing else ("x-plane" is no plane, "firefox" no fire); a
// theme's first word is a qualifier, and a word that only starts it fits not at all
// ("firewall-applet").
// A keyword phrase joining words with "and" ("meats and eggs") is a folder of many subjects, not the
// icon's own, and a keyword for what goes with the icon ("cheese" on a moon) fits last of all.
class KeywordMatch
{
public:
    // After None, best first; a search's rank for a post is its worst word's rank. NameStart: the word
    // with an ending ("printer"); NameCompound: the word before another one ("bookmark", "raindrop");
    // GlyphCompound: a glyph whose theme name the word only begins ("edit-copy"); Brand: a word of an
    // application's longer name
    // ("x-plane"); Association: a keyword for what goes with the icon ("cheese" on a moon).
    enum class Rank {
        None,
        Name,
        NameStart,
        NameRelated,
        Tag,
        NameCompound,
        GlyphCompound,
        Brand,
        Alias,
        Related,
        Association
    };

    // The words of a post, prepared once.
    struct Terms {
        QStringList name;
        std::vector<QStringList> tags;         // the source's keywords, its folders
        std::vector<QStringList> aliases;      // theme aliases and contexts
        std::vector<QStringList> associations; // keywords for what goes with the icon
        QStringList nameRelated;               // related subjects the name itself calls for
        QStringList otherRelated;              // related subjects only the tags call for
        int style = 0;                         // IconEntry::style
        bool theme = false; // a theme's icon: its name goes from the general to the specific
        bool brand = false; // an application's logo named by its brand ("x-plane")
    };
    static Terms termsOf(const IconEntry& entry);

    // One way to read a search word: the forms it stands for and how far it is from what was typed
    // (0 the word itself, 1 a synonym, 2 a typo forgiven).
    static constexpr int kAsTyped = 0, kSynonym = 1, kTypo = 2;
    struct Reading {
        QStringList forms;
        int distance = kAsTyped;
    };
    // A search: for each of its words, the readings that may fit.
    using Query = std::vector<std::vector<Reading>>;
    // The search's words with their synonyms.
    static Query query(const QString& text);

    struct Fit {
        Rank rank = Rank::None;
        int distance = 0; // summed over the words
    };
    // `vocabulary`: every word of the catalogue, for startsWords.
    static Fit fit(const Terms& terms, const Query& query, const QSet<QString>& vocabulary);
    static Rank rank(const Terms& terms, const Reading& reading, const QSet<QString>& vocabulary);

    // Whether the forms fit a word of `words` or a run of consecutive words written together.
    static bool fitsWords(const QStringList& words, const QStringList& forms);
    // How `word` begins a word of `words` (or a run of them): followed by a common ending ("printer",
    // "shopping"), by another word of the vocabulary ("raindrop", "keyboard"), or not at all ("applet",
    // "starve").
    enum class Start { None, Ending, Word };
    static Start startOf(const QStringList& words, const QString& word, const QSet<QString>& vocabulary);
};
