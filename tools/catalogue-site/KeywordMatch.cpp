#include "catalogue-site/KeywordMatch.h"

#include <array>

namespace
{
// Endings a word may carry beyond the keyword: plurals and the common derived forms.
constexpr std::array<const char*, 11> kEndings = {"s",  "es", "ing", "ping", "er", "ers",
                                                  "ed", "al", "ic",  "ics",  "ies"};

bool fitsWithEnding(const QString& text, const QString& keyword)
{
    if (!text.startsWith(keyword))
        return false;
    if (text.size() == keyword.size())
        return true;
    const QStringView rest = QStringView(text).mid(keyword.size());
    for (const char* ending : kEndings)
        if (rest == QLatin1String(ending))
            return true;
    return false;
}
} // namespace

KeywordMatch::Terms KeywordMatch::termsOf(const IconEntry& entry)
{
    Terms t;
    t.nameWords = entry.name.split('-', Qt::SkipEmptyParts);
    t.compact = entry.compact;
    t.related = entry.related;
    for (const QString& tag : entry.tags) {
        QStringList words;
        for (const QString& word : tag.split(' ', Qt::SkipEmptyParts))
            words << normalise(word);
        words.removeAll(QString());
        if (!words.isEmpty())
            t.tagWords.push_back(words);
    }
    return t;
}

QString KeywordMatch::normalise(const QString& keyword)
{
    QString n;
    for (QChar c : keyword)
        if (c.isLetterOrNumber())
            n += c.toLower();
    return n;
}

bool KeywordMatch::fitsRun(const QStringList& words, const QString& keyword)
{
    for (int first = 0; first < words.size(); ++first) {
        QString run;
        for (int last = first; last < words.size() && run.size() < keyword.size(); ++last) {
            const QString candidate = run + words[last];
            if (fitsWithEnding(candidate, keyword) || fitsWithEnding(keyword, candidate))
                return true;
            run += words[last];
            if (!keyword.startsWith(run))
                break;
        }
    }
    return false;
}

KeywordMatch::Rank KeywordMatch::rank(const Terms& terms, const QString& keyword)
{
    if (fitsRun(terms.nameWords, keyword))
        return Rank::Name;
    for (const QStringList& tag : terms.tagWords)
        if (fitsRun(tag, keyword))
            return Rank::Tag;
    for (const QString& subject : terms.related)
        if (fitsRun({subject}, keyword))
            return Rank::Related;
    if (terms.compact.contains(keyword))
        return Rank::Partial;
    return Rank::None;
}
