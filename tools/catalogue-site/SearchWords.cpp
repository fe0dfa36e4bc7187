#include "catalogue-site/SearchWords.h"

#include <QHash>

#include <algorithm>
#include <array>

namespace
{
// Words ending in "s" that are no plurals (or whose singular means something else: glasses are no
// drinking glasses).
constexpr std::array kNoPlural = {"news",    "series", "species", "always", "physics", "mathematics",
                                  "gas",     "lens",   "canvas",  "atlas",  "chaos",   "analysis",
                                  "glasses", "arms",   "goods",   "shorts"};

// Groups of words icon names use for the same thing; each word finds the others. In a row
// "word>others" only the first word finds the others: a search for "delete" may show a wastebasket,
// but one for "trash" wants no crosses.
constexpr std::array kSynonyms = {
    "wifi,wireless,wlan",
    "scissors,cut",
    "trash,garbage,rubbish,wastebasket",
    "delete>trash,wastebasket",
    "email,mail",
    "photo,picture,photograph",
    "movie,film",
    "car,automobile",
    "house,home",
    "settings,preferences,configure",
    "search,find,magnifier",
    "cafe,coffee",
    "bike,bicycle",
    "plane,airplane,aeroplane,aircraft",
    "telephone,phone",
    "tv,television",
    "refresh,reload",
    "money,cash",
    "tick,checkmark",
    "gear,cog",
    "lightbulb,bulb",
    "chat,conversation",
    "info,information",
    "warning,alert,caution",
    "lock,padlock",
    "puppy,dog",
    "kitten,cat",
    "tshirt,shirt",
    "doctor,physician",
    "sound,audio",
    "shop,shopping",
    "build,building",
};

// Pairs of words that name something neither word names alone.
constexpr std::array kCompounds = {"hot dog",     "corn dog", "sea horse",   "sea lion",
                                   "dragon fly",  "jack o",   "eye dropper", "fire fox",
                                   "caps lock",   "num lock", "scroll lock", "address book",
                                   "railway car", "tram car", "cable car",   "fish cake"};

const QHash<QString, QStringList>& synonymTable()
{
    static const QHash<QString, QStringList> table = [] {
        QHash<QString, QStringList> t;
        for (const char* row : kSynonyms) {
            const QString text = QString::fromLatin1(row);
            const qsizetype oneWay = text.indexOf('>');
            const QStringList group = QString(text).replace('>', ',').split(',');
            for (const QString& word : oneWay < 0 ? group : group.mid(0, 1))
                for (const QString& other : group)
                    if (other != word && !t[word].contains(other))
                        t[word] << other;
        }
        return t;
    }();
    return table;
}

bool isNoPlural(const QString& word)
{
    for (const char* w : kNoPlural)
        if (word == QLatin1String(w))
            return true;
    return false;
}
} // namespace

QString SearchWords::fold(const QString& text)
{
    const QString decomposed = text.normalized(QString::NormalizationForm_KD);
    QString folded;
    folded.reserve(decomposed.size());
    for (QChar c : decomposed)
        if (!c.isMark())
            folded += c.toLower();
    return folded;
}

QStringList SearchWords::words(const QString& text)
{
    QStringList found;
    QString word;
    for (QChar c : fold(text)) {
        if (c.isLetterOrNumber()) {
            word += c;
        } else if (!word.isEmpty()) {
            found << word;
            word.clear();
        }
    }
    if (!word.isEmpty())
        found << word;
    return found;
}

QStringList SearchWords::forms(const QString& word)
{
    QStringList f{word};
    if (word.size() < 4 || !word.endsWith('s') || word.endsWith("ss") || word.endsWith("us") ||
        word.endsWith("is") || isNoPlural(word))
        return f;
    const QString base = word.chopped(1);
    f << base;
    if (base.endsWith("ie") && base.size() >= 4)
        f << base.chopped(2) + 'y'; // batteries
    const QChar beforeE = base.size() >= 3 ? base[base.size() - 2] : QChar();
    if (base.endsWith('e') && QStringLiteral("sxzh").contains(beforeE))
        f << base.chopped(1); // boxes, glasses, dishes
    return f;
}

bool SearchWords::sameWord(const QStringList& queryForms, const QString& word)
{
    for (const QString& form : forms(word))
        if (queryForms.contains(form))
            return true;
    return false;
}

QStringList SearchWords::synonyms(const QString& word)
{
    return synonymTable().value(word);
}

bool SearchWords::isCompound(const QString& first, const QString& second)
{
    const QString pair = first + ' ' + second;
    return std::any_of(kCompounds.begin(), kCompounds.end(),
                       [&](const char* c) { return pair == QLatin1String(c); });
}

bool SearchWords::oneEditApart(const QString& a, const QString& b)
{
    const qsizetype la = a.size(), lb = b.size();
    if (std::abs(la - lb) > 1 || a == b)
        return false;
    qsizetype i = 0;
    while (i < la && i < lb && a[i] == b[i])
        ++i;
    if (la == lb) {
        if (QStringView(a).mid(i + 1) == QStringView(b).mid(i + 1))
            return true; // replaced
        return i + 1 < la && a[i] == b[i + 1] && a[i + 1] == b[i] &&
               QStringView(a).mid(i + 2) == QStringView(b).mid(i + 2); // swapped
    }
    return la < lb ? QStringView(a).mid(i) == QStringView(b).mid(i + 1)
                   : QStringView(a).mid(i + 1) == QStringView(b).mid(i);
}
