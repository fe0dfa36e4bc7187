#include "catalogue-site/KeywordMatch.h"

#include "catalogue-site/RelatedWords.h"
#include "catalogue-site/SearchWords.h"

#include <algorithm>
#include <array>

namespace
{
constexpr int kMinStartLength = 4; // shorter words start too many others ("cat": cattle, catalog)
constexpr int kMaxRun = 4;

constexpr int kMinJoinedWord = 3;

bool isVowel(QChar c)
{
    return QStringLiteral("aeiou").contains(c);
}

// Whether a word of one syllable ending in one vowel and one consonant doubles that consonant before
// "-ed", "-er" and "-ing": "star" gives "starred", while "stared" comes from "stare".
bool doublesLastLetter(const QString& word)
{
    const qsizetype n = word.size();
    if (n < 3 || isVowel(word[n - 1]) || QStringLiteral("wxy").contains(word[n - 1]) || !isVowel(word[n - 2]))
        return false;
    for (qsizetype i = 0; i < n - 2; ++i)
        if (isVowel(word[i]))
            return false;
    return true;
}

// What follows `word` inside a longer one: an ending, a word of its own, or neither.
KeywordMatch::Start continuation(const QString& word, const QString& rest, const QSet<QString>& vocabulary)
{
    static const QStringList kEndings = {"s",  "es",  "er",  "ers", "ing", "ings", "ping", "ped",
                                         "ed", "ned", "ged", "red", "al",  "ical", "ics",  "y"};
    static const QStringList kAfterDoubling = {"ed", "er", "ers", "ing", "ings"};
    // A plural ending counts only where the longer word is the plural ("glasses" is none of "glass").
    const bool plural = rest == QLatin1String("s") || rest == QLatin1String("es");
    if (kEndings.contains(rest) && !(kAfterDoubling.contains(rest) && doublesLastLetter(word)) &&
        (!plural || SearchWords::forms(word + rest).contains(word)))
        return KeywordMatch::Start::Ending;
    return rest.size() >= kMinJoinedWord && vocabulary.contains(rest) ? KeywordMatch::Start::Word
                                                                      : KeywordMatch::Start::None;
}

bool fitsAny(const std::vector<QStringList>& phrases, const QStringList& forms)
{
    for (const QStringList& words : phrases)
        if (KeywordMatch::fitsWords(words, forms))
            return true;
    return false;
}

// Kinds that exclude one another, in groups; a kind is its name and words for its members. A keyword
// naming a kind does not count for an icon whose name or other keywords name another kind of the same
// group: "car" on a bus or a tractor, "fish" on a dolphin or a shrimp, "lock" on a key, "money" on a gem.
const std::array<std::vector<QStringList>, 4> kExclusiveKinds = {{
    {{"mammal", "dolphin", "whale", "orca"},
     {"fish"},
     {"bird"},
     {"insect"},
     {"reptile"},
     {"amphibian"},
     {"crustacean", "crab", "shrimp", "lobster", "crawfish", "crayfish"}},
    {{"car", "taxi"},
     {"bus", "minibus"},
     {"truck", "lorry"},
     {"tractor"},
     {"bicycle"},
     {"motorcycle"},
     {"boat", "ship"},
     {"airplane"},
     {"helicopter"}},
    {{"lock", "padlock"}, {"key"}},
    {{"money", "coin", "cash", "banknote"}, {"jewel", "jewelry", "gem", "diamond"}},
}};

// The kind of `group` the word names, or -1.
int kindOf(const std::vector<QStringList>& group, const QString& word)
{
    for (size_t k = 0; k < group.size(); ++k)
        for (const QString& member : group[k])
            if (SearchWords::sameWord(SearchWords::forms(member), word))
                return int(k);
    return -1;
}

// Whether the icon says it is another kind than the one `forms` stand for: its name names another kind
// of the group, or, when the name names none, one of its other keywords does.
bool contradicted(const KeywordMatch::Terms& terms, const QStringList& forms)
{
    for (const std::vector<QStringList>& group : kExclusiveKinds) {
        const int kind = kindOf(group, forms.front());
        if (kind < 0)
            continue;
        const auto kindsIn = [&](const QStringList& words) {
            QSet<int> kinds;
            for (const QString& w : words)
                if (const int k = kindOf(group, w); k >= 0)
                    kinds.insert(k);
            return kinds;
        };
        QSet<int> named = kindsIn(terms.name);
        if (named.isEmpty())
            for (const QStringList& tag : terms.tags)
                named.unite(kindsIn(tag));
        named.remove(kind);
        if (!named.isEmpty())
            return true;
    }
    return false;
}

// Whether a keyword fits and nothing else the icon says contradicts it.
bool fitsTags(const KeywordMatch::Terms& terms, const QStringList& forms)
{
    return fitsAny(terms.tags, forms) && !contradicted(terms, forms);
}

// The menu categories that begin the names of an application's icons where the theme names them by
// what they do ("preferences-system-search", "accessories-calculator") rather than by a brand.
bool isMenuCategory(const QString& word)
{
    static const QSet<QString> kCategories = {"accessories", "applications", "preferences", "system",
                                              "utilities",   "multimedia",   "internet",    "office",
                                              "graphics",    "development",  "help"};
    return kCategories.contains(word);
}

// Words a theme's name ends with to give a state or a variant rather than another thing: "battery"
// is the subject of "battery-full" and of "security-high" alike.
bool isStateWord(const QString& word)
{
    static const QSet<QString> kStates = {"symbolic", "panel", "high",    "medium", "low",  "full",
                                          "empty",    "good",  "caution", "alt",    "dark", "light"};
    return word.front().isDigit() || kStates.contains(word);
}

// The name's words that say what the icon shows, states and numbers left out.
QStringList subjectWords(const QStringList& name)
{
    QStringList words;
    for (const QString& w : name)
        if (!isStateWord(w))
            words << w;
    return words;
}

// A theme's name the word only qualifies: a picture of something else, which a small glyph draws
// too sparely to show the word at all ("paint-order-fms", "copy-sync5").
KeywordMatch::Rank qualifierRank(const KeywordMatch::Terms& terms)
{
    return terms.style == IconEntry::Glyph ? KeywordMatch::Rank::GlyphCompound
                                           : KeywordMatch::Rank::NameCompound;
}

// How a name the forms fit ranks. An application's name fits as the name only when it is the word as
// typed ("cheese", not "cups" for "cup"); in a longer one the word is part of a brand. A theme's name
// fits as the name unless the word is only its first, the general part ("edit" in "edit-copy").
KeywordMatch::Rank nameRank(const KeywordMatch::Terms& terms, const QStringList& forms)
{
    const QStringList subject = subjectWords(terms.name);
    if (terms.brand)
        return subject == QStringList{forms.front()} ? KeywordMatch::Rank::Name : KeywordMatch::Rank::Brand;
    if (terms.theme && subject.size() > 1 && SearchWords::sameWord(forms, subject.front()) &&
        !KeywordMatch::fitsWords(subject.mid(1), forms))
        return qualifierRank(terms);
    // A theme's state or variant word says which of an icon's versions it is, like an alias
    // ("light" in "cryptfolder-closed-light").
    if (terms.theme && !subject.isEmpty() && !KeywordMatch::fitsWords(subject, forms))
        return KeywordMatch::Rank::Alias;
    return KeywordMatch::Rank::Name;
}

// The name words a search word may start. In a theme's name of several subjects the first is a
// qualifier, and a word starting it says even less ("book" in "bookmark-missing").
QStringList startableWords(const KeywordMatch::Terms& terms)
{
    const QStringList subject = subjectWords(terms.name);
    return terms.theme && subject.size() > 1 ? subject.mid(1) : terms.name;
}

// Whether a keyword phrase is a folder of several subjects ("meats and eggs", "breads and carbs").
bool isGroupPhrase(const QStringList& words)
{
    return words.size() >= 3 && words.mid(1, words.size() - 2).contains(QStringLiteral("and"));
}

bool isSubject(const QStringList& subjects, const QStringList& forms)
{
    for (const QString& subject : subjects)
        if (SearchWords::sameWord(forms, subject))
            return true;
    return false;
}
} // namespace

KeywordMatch::Terms KeywordMatch::termsOf(const IconEntry& entry)
{
    Terms t;
    t.name = SearchWords::words(entry.name);
    for (const QString& tag : entry.tags)
        if (QStringList words = SearchWords::words(tag); !words.isEmpty() && !isGroupPhrase(words))
            t.tags.push_back(words);
    for (const QString& alias : entry.aliases)
        if (QStringList words = SearchWords::words(alias); !words.isEmpty())
            t.aliases.push_back(words);
    for (const QString& association : entry.associations)
        if (QStringList words = SearchWords::words(association); !words.isEmpty())
            t.associations.push_back(words);
    // A theme's icons, and only they, carry aliases: at least the theme's context folders.
    t.theme = !entry.aliases.isEmpty();
    t.brand = entry.aliases.contains(QStringLiteral("apps")) && !isMenuCategory(t.name.front());
    // A brand calls for a subject as a whole ("korganizer"), not through one of its words ("call of
    // duty" is no phone).
    t.nameRelated = RelatedWords::subjectsFor(t.brand ? QSet<QString>{entry.compact}
                                                      : RelatedWords::termsOfName(entry.name));
    for (const QString& subject : entry.related)
        if (!t.nameRelated.contains(subject))
            t.otherRelated << subject;
    t.style = entry.style;
    return t;
}

KeywordMatch::Query KeywordMatch::query(const QString& text)
{
    Query q;
    for (const QString& word : SearchWords::words(text)) {
        std::vector<Reading> readings{{SearchWords::forms(word), kAsTyped}};
        for (const QString& synonym : SearchWords::synonyms(word))
            readings.push_back({SearchWords::forms(synonym), kSynonym});
        q.push_back(std::move(readings));
    }
    return q;
}

bool KeywordMatch::fitsWords(const QStringList& words, const QStringList& forms)
{
    const QChar first = forms.front().front();
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (words[i].front() != first)
            continue;
        if (SearchWords::sameWord(forms, words[i]) &&
            (i == 0 || !SearchWords::isCompound(words[i - 1], words[i])) &&
            (i + 1 == words.size() || !SearchWords::isCompound(words[i], words[i + 1])))
            return true;
        QString run = words[i];
        for (qsizetype j = i + 1; j < words.size() && j < i + kMaxRun; ++j) {
            run += words[j];
            if (run.size() > forms.front().size())
                break;
            if (SearchWords::sameWord(forms, run))
                return true;
        }
    }
    return false;
}

KeywordMatch::Start KeywordMatch::startOf(const QStringList& words, const QString& word,
                                          const QSet<QString>& vocabulary)
{
    Start best = Start::None;
    if (word.size() < kMinStartLength)
        return best;
    for (qsizetype i = 0; i < words.size(); ++i) {
        QString run;
        for (qsizetype j = i; j < words.size() && j < i + kMaxRun; ++j) {
            run += words[j];
            // The word must end inside words[j]: ending before it, it is a whole word or run.
            if (run.size() > word.size() && run.size() - words[j].size() < word.size() &&
                run.startsWith(word)) {
                const Start s = continuation(word, run.mid(word.size()), vocabulary);
                if (s == Start::Ending)
                    return s;
                best = std::max(best, s);
            }
            if (!word.startsWith(run))
                break;
        }
    }
    return best;
}

KeywordMatch::Rank KeywordMatch::rank(const Terms& terms, const Reading& reading,
                                      const QSet<QString>& vocabulary)
{
    if (fitsWords(terms.name, reading.forms)) {
        const Rank r = nameRank(terms, reading.forms);
        // A synonym fits what a name shows, not the part that qualifies it ("preferences" in
        // "preferences-desktop-cookies" for "settings").
        if (reading.distance != kSynonym || r == Rank::Name)
            return r;
    }
    // A synonym fits the name and the keywords only: its starts, related subjects and a theme's
    // aliases lead too far ("cut" to "cutegram"). A corrected word fits as typed.
    if (reading.distance == kSynonym)
        return fitsTags(terms, reading.forms) ? Rank::Tag : Rank::None;
    const Start start = reading.distance == kAsTyped
                            ? startOf(startableWords(terms), reading.forms.front(), vocabulary)
                            : Start::None;
    if (start == Start::Ending)
        return terms.brand && subjectWords(terms.name).size() > 1 ? Rank::Brand : Rank::NameStart;
    if (isSubject(terms.nameRelated, reading.forms))
        return Rank::NameRelated;
    if (fitsTags(terms, reading.forms))
        return Rank::Tag;
    // A longer word the search word starts names a thing of its own ("rainbow", "bookmark"): the icon
    // shows it when it is the whole name ("raindrop"), not when it qualifies more words
    // ("bookmark-tabs", "rainbow-linda-kim") or is an application's brand ("firefox").
    if (start == Start::Word && !terms.brand && subjectWords(terms.name).size() == 1)
        return Rank::NameCompound;
    if (fitsAny(terms.aliases, reading.forms))
        return Rank::Alias;
    if (isSubject(terms.otherRelated, reading.forms))
        return Rank::Related;
    if (fitsAny(terms.associations, reading.forms))
        return Rank::Association;
    return Rank::None;
}

KeywordMatch::Fit KeywordMatch::fit(const Terms& terms, const Query& query, const QSet<QString>& vocabulary)
{
    Fit total;
    for (const std::vector<Reading>& word : query) {
        Fit best;
        for (const Reading& reading : word) {
            const Rank r = rank(terms, reading, vocabulary);
            if (r != Rank::None && (best.rank == Rank::None || r < best.rank))
                best = {r, reading.distance};
        }
        if (best.rank == Rank::None)
            return {};
        total.rank = std::max(total.rank, best.rank);
        total.distance += best.distance;
    }
    return total;
}
