#include "catalogue-site/NounHierarchy.h"

#include <QFile>
#include <QSet>

#include <algorithm>

namespace
{
constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;

// Words that join a name's nouns ("bust in silhouette") and letters: WordNet has nouns for them
// ("in" for inch, "a" for ampere, "h" for the letter), yet they say nothing of the thing.
bool isJoiningWord(const QString& word)
{
    static const QSet<QString> kWords = {"an", "the", "in", "on", "of",  "with", "and",
                                         "or", "to",  "at", "by", "for", "from", "as"};
    return word.size() < 2 || kWords.contains(word);
}

// The words that may name the thing, numbers taken off ("crawfish1-bw" is a crawfish).
QStringList contentWords(const QStringList& words)
{
    QStringList content;
    for (QString w : words) {
        while (!w.isEmpty() && w.back().isDigit())
            w.chop(1);
        if (!w.isEmpty() && !isJoiningWord(w))
            content << w;
    }
    return content;
}

// Calls `line` for each line of a WordNet file that is not part of its licence header.
template <typename Fn> bool forEachLine(const QString& path, Fn line)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileBytes)
        return false;
    const QByteArray all = file.readAll();
    for (qsizetype start = 0; start < all.size();) {
        qsizetype end = all.indexOf('\n', start);
        if (end < 0)
            end = all.size();
        if (all[start] != ' ')
            line(QByteArrayView(all).sliced(start, end - start));
        start = end + 1;
    }
    return true;
}

QList<QByteArrayView> fields(QByteArrayView line)
{
    QList<QByteArrayView> out;
    for (qsizetype start = 0; start < line.size();) {
        qsizetype end = line.indexOf(' ', start);
        if (end < 0)
            end = line.size();
        if (end > start)
            out << line.sliced(start, end - start);
        start = end + 1;
    }
    return out;
}
} // namespace

QString NounHierarchy::defaultFolder()
{
    return QStringLiteral("/usr/share/wordnet");
}

QStringList NounHierarchy::files(const QString& folder)
{
    return {folder + "/index.noun", folder + "/data.noun", folder + "/noun.exc"};
}

NounHierarchy NounHierarchy::load(const QString& folder)
{
    // data.noun: "offset lexfile n wordcount(hex) word lexid ... pointercount {symbol offset pos
    // source/target} ... | gloss". A synset's offset is its place in the file.
    QHash<quint32, int> indexOf;
    std::vector<std::vector<quint32>> parents;
    const bool dataRead = forEachLine(folder + "/data.noun", [&](QByteArrayView line) {
        const qsizetype gloss = line.indexOf('|');
        const QList<QByteArrayView> f = fields(gloss < 0 ? line : line.first(gloss));
        bool ok = false;
        const int words = f.size() > 3 ? f[3].toInt(&ok, 16) : 0;
        qsizetype i = 4 + 2 * qsizetype(words);
        if (!ok || i >= f.size())
            return;
        const int pointers = f[i++].toInt();
        std::vector<quint32> up;
        for (int p = 0; p < pointers && i + 3 < f.size(); ++p, i += 4)
            if ((f[i] == "@" || f[i] == "@i") && f[i + 2] == "n")
                up.push_back(f[i + 1].toUInt());
        indexOf.insert(f[0].toUInt(), int(parents.size()));
        parents.push_back(std::move(up));
    });
    NounHierarchy h;
    if (!dataRead)
        return h;
    h.m_kindOf.resize(parents.size());
    for (size_t s = 0; s < parents.size(); ++s)
        for (const quint32 offset : parents[s])
            if (const auto it = indexOf.constFind(offset); it != indexOf.cend())
                h.m_kindOf[s].push_back(*it);
    // index.noun: "lemma n synsetcount pointercount {symbol} sensecount tagsensecount {offset}".
    forEachLine(folder + "/index.noun", [&](QByteArrayView line) {
        const QList<QByteArrayView> f = fields(line);
        if (f.size() < 4)
            return;
        const qsizetype first = 4 + f[3].toInt() + 2;
        std::vector<int> senses;
        for (qsizetype i = first; i < f.size(); ++i)
            if (const auto it = indexOf.constFind(f[i].toUInt()); it != indexOf.cend())
                senses.push_back(*it);
        if (!senses.empty())
            h.m_senses.insert(QString::fromLatin1(f[0]), std::move(senses));
    });
    forEachLine(folder + "/noun.exc", [&](QByteArrayView line) {
        const QList<QByteArrayView> f = fields(line);
        if (f.size() >= 2)
            h.m_irregular.insert(QString::fromLatin1(f[0]), QString::fromLatin1(f[1]));
    });
    return h;
}

std::vector<int> NounHierarchy::sensesOf(const QString& noun, size_t most) const
{
    QString lemma = noun.trimmed().toLower();
    lemma.replace(' ', '_');
    // The word as written and, for a plural, its singular (WordNet's own rules for nouns).
    QStringList bases{lemma, m_irregular.value(lemma)};
    static const std::pair<const char*, const char*> kEndings[] = {
        {"s", ""},      {"ses", "s"},   {"xes", "x"},   {"zes", "z"},
        {"ches", "ch"}, {"shes", "sh"}, {"men", "man"}, {"ies", "y"}};
    for (const auto& [ending, replacement] : kEndings)
        if (lemma.endsWith(QLatin1String(ending)) && lemma.size() > qsizetype(strlen(ending)) + 1)
            bases << lemma.chopped(qsizetype(strlen(ending))) + QLatin1String(replacement);
    std::vector<int> senses;
    for (const QString& base : bases) {
        const std::vector<int> of = m_senses.value(base);
        for (size_t i = 0; i < of.size() && i < most; ++i)
            if (std::find(senses.begin(), senses.end(), of[i]) == senses.end())
                senses.push_back(of[i]);
    }
    return senses;
}

bool NounHierarchy::knows(const QString& noun) const
{
    return !sensesOf(noun).empty();
}

bool NounHierarchy::reaches(int synset, const std::vector<int>& targets) const
{
    std::vector<int> pending{synset};
    QSet<int> seen;
    while (!pending.empty()) {
        const int s = pending.back();
        pending.pop_back();
        if (std::find(targets.begin(), targets.end(), s) != targets.end())
            return true;
        if (seen.contains(s))
            continue;
        seen.insert(s);
        pending.insert(pending.end(), m_kindOf[size_t(s)].begin(), m_kindOf[size_t(s)].end());
    }
    return false;
}

bool NounHierarchy::kindRelated(const QString& a, const QString& b) const
{
    return kindRelated(sensesOf(a), sensesOf(b));
}

bool NounHierarchy::kindRelated(const std::vector<int>& first, const std::vector<int>& second) const
{
    if (first.empty() || second.empty())
        return false;
    for (const int s : first)
        if (reaches(s, second))
            return true;
    for (const int s : second)
        if (reaches(s, first))
            return true;
    return false;
}

bool NounHierarchy::describes(const QStringList& name, const QString& keyword) const
{
    const QStringList words = contentWords(keyword.split(' ', Qt::SkipEmptyParts));
    const QStringList named = contentWords(name);
    if (isEmpty() || words.isEmpty() || named.isEmpty())
        return true;
    if (named.contains(words.last()))
        return true;
    // The keyword's last word is the one a phrase is about ("lady cow" is a cow). The name as a whole ("lady
    // beetle") and each of its words; the keyword as a whole and its last word, the one a phrase is about
    // ("lady cow" is a cow).
    QStringList nouns{named.join(' ')};
    nouns << named;
    nouns.removeIf([this](const QString& n) { return !knows(n); });
    if (nouns.isEmpty())
        return true;
    QStringList keys{words.join(' '), words.last()};
    keys.removeIf([this](const QString& k) { return !knows(k); });
    if (keys.isEmpty())
        return true;
    // A keyword is taken in its common senses ("baby" for a child, not for a young woman).
    for (const QString& k : keys)
        for (const QString& n : nouns)
            if (kindRelated(sensesOf(k, kKeywordSenses), sensesOf(n)))
                return true;
    return false;
}
