#include "catalogue-site/IconCatalogue.h"

#include "catalogue-site/IconNaming.h"
#include "catalogue-site/SearchWords.h"

#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <array>
#include <tuple>

namespace
{
constexpr int kDatePrefix = 6; // "YYYYMM"
const QString kThumbSuffix = QStringLiteral("-150x150.png");
const QString kFullSuffix = QStringLiteral(".png");

// A file name is YYYYMM + compact name + suffix; the date part must match the icon's own.
int indexOfFile(const QHash<QString, int>& byCompact, const std::vector<IconEntry>& icons,
                const QString& fileName, const QString& suffix)
{
    if (fileName.size() <= kDatePrefix + suffix.size() || !fileName.endsWith(suffix))
        return -1;
    const QString compact = fileName.mid(kDatePrefix, fileName.size() - kDatePrefix - suffix.size());
    const int index = byCompact.value(compact, -1);
    if (index < 0 || icons[size_t(index)].date.toString("yyyyMM") != fileName.left(kDatePrefix))
        return -1;
    return index;
}
// 0 for a name that is only the search's words (numbers aside), 1 for one or two words more, 2 for a
// long compound.
int nameLength(const QStringList& name, size_t searchWords)
{
    qsizetype words = 0;
    for (const QString& w : name)
        words += w.front().isDigit() ? 0 : 1;
    const qsizetype extra = words - qsizetype(searchWords);
    return extra <= 0 ? 0 : extra <= 2 ? 1 : 2;
}
// A keyword among many says less about the picture than one among a few: an emoji's long list of
// associations ("car" for a tractor) against a drawing's subject and folder. Weighs like a style step.
int tagBreadth(const KeywordMatch::Terms& terms, KeywordMatch::Rank rank)
{
    constexpr size_t kFewTags = 6;
    return rank == KeywordMatch::Rank::Tag && terms.tags.size() > kFewTags ? 3 : 0;
}
constexpr int kSeriesRun = 2;

// The series a name may belong to, numbers left out: each pair of neighbouring words in a name of
// three words or more ("tree-rpg-map-elements-09" and "plant-rpg-map-element-01" share "rpg map"),
// and a numbered name as a whole ("candy-01" and "candy-20", "copy-sync1" and "copy-sync8").
QStringList seriesOf(const QStringList& name)
{
    QStringList words;
    bool numbered = false;
    for (QString w : name) {
        const qsizetype length = w.size();
        w.remove(QRegularExpression(QStringLiteral("[0-9]")));
        numbered = numbered || w.size() < length;
        if (!w.isEmpty())
            words << w;
    }
    QStringList series;
    for (qsizetype i = 0; words.size() >= 3 && i + 1 < words.size(); ++i)
        series << words[i] + ' ' + words[i + 1];
    if (numbered && !words.isEmpty())
        series << words.join(' ');
    return series;
}
// One post a search fits, with what orders it among the others.
struct Hit {
    KeywordMatch::Rank rank;
    int distance;  // the word itself before a synonym
    bool overflow; // a third or later post of one series within its rank
    int score;
    quint32 shuffle;
    int index;
};

// An application's brand is its logo, not the thing ("x-plane", "cups"), a theme's aliases name what
// an icon is used for, not what it shows ("download" for an arrow), an association what goes with it
// ("cheese" for a moon), and a glyph a single word only qualifies shows something else
// ("paint-order-fms"; "network+wireless" asks for "network-wireless-symbolic"): each counts only when
// nothing fits better. A synonym's fit is no better than the word's own: "settings" in an alias stays
// beside "configure" in a name.
void dropWeakHits(std::vector<Hit>& hits, bool oneWord)
{
    // Best first, so that a post dropped here does not count as fitting better than the next.
    std::vector<KeywordMatch::Rank> weakRanks{KeywordMatch::Rank::Brand, KeywordMatch::Rank::Alias,
                                              KeywordMatch::Rank::Association};
    if (oneWord)
        weakRanks.insert(weakRanks.begin(), KeywordMatch::Rank::GlyphCompound);
    for (const KeywordMatch::Rank weak : weakRanks)
        for (const int distance : {KeywordMatch::kAsTyped, KeywordMatch::kSynonym, KeywordMatch::kTypo}) {
            const auto better = [&](const Hit& h) { return h.rank < weak && h.distance <= distance; };
            const auto dropped = [&](const Hit& h) { return h.rank == weak && h.distance == distance; };
            if (std::any_of(hits.begin(), hits.end(), better))
                hits.erase(std::remove_if(hits.begin(), hits.end(), dropped), hits.end());
        }
}
} // namespace

IconCatalogue::IconCatalogue(std::vector<IconEntry> entries)
{
    QSet<QString> seen;
    for (IconEntry& e : entries) {
        if (e.compact.isEmpty() || seen.contains(e.compact))
            continue;
        seen.insert(e.compact);
        if (!e.date.isValid())
            e.date = IconNaming::dateFor(e.name);
        m_icons.push_back(std::move(e));
    }
    std::sort(m_icons.begin(), m_icons.end(), [](const IconEntry& a, const IconEntry& b) {
        return a.date != b.date ? a.date > b.date : a.compact < b.compact;
    });
    m_terms.reserve(m_icons.size());
    for (int i = 0; i < size(); ++i) {
        m_byName.insert(m_icons[size_t(i)].name, i);
        m_byCompact.insert(m_icons[size_t(i)].compact, i);
        m_terms.push_back(KeywordMatch::termsOf(m_icons[size_t(i)]));
        const KeywordMatch::Terms& t = m_terms.back();
        for (const QString& word : t.name)
            m_vocabulary.insert(word);
        for (const auto* phrases : {&t.tags, &t.aliases, &t.associations})
            for (const QStringList& words : *phrases)
                for (const QString& word : words)
                    m_vocabulary.insert(word);
    }
}

std::vector<int> IconCatalogue::search(const QString& keyword) const
{
    const KeywordMatch::Query query = KeywordMatch::query(keyword);
    if (query.empty())
        return all();
    std::vector<int> found = ranked(query);
    if (found.empty())
        found = ranked(forgiving(query));
    return found;
}

std::vector<int> IconCatalogue::ranked(const KeywordMatch::Query& query) const
{
    std::vector<Hit> hits;
    for (int i = 0; i < size(); ++i) {
        const KeywordMatch::Terms& terms = m_terms[size_t(i)];
        const KeywordMatch::Fit fit = KeywordMatch::fit(terms, query, m_vocabulary);
        if (fit.rank == KeywordMatch::Rank::None)
            continue;
        hits.push_back({fit.rank, fit.distance, false,
                        3 * terms.style + nameLength(terms.name, query.size()) + tagBreadth(terms, fit.rank),
                        IconNaming::stableHash(m_icons[size_t(i)].compact), i});
    }
    dropWeakHits(hits, query.size() == 1);
    const auto byOrder = [](const Hit& a, const Hit& b) {
        return std::tie(a.rank, a.distance, a.overflow, a.score, a.shuffle, a.index) <
               std::tie(b.rank, b.distance, b.overflow, b.score, b.shuffle, b.index);
    };
    std::sort(hits.begin(), hits.end(), byOrder);
    // Variety: a rank shows the first kSeriesRun posts of a series ("tree-rpg-map-elements-01",
    // "mountain-rpg-map-elem-02"...; "run-build-clean", "run-build-install"...) among the others and
    // the rest of the series after them.
    QHash<QString, int> seen;
    for (Hit& hit : hits) {
        const QString rank = QString::number(int(hit.rank)) + ' ';
        for (const QString& series : seriesOf(m_terms[size_t(hit.index)].name))
            hit.overflow = seen[rank + series]++ >= kSeriesRun || hit.overflow;
    }
    std::sort(hits.begin(), hits.end(), byOrder);
    std::vector<int> found;
    for (size_t k = 0; k < hits.size() && int(k) < kMaxCandidates; ++k)
        found.push_back(hits[k].index);
    return found;
}

KeywordMatch::Query IconCatalogue::forgiving(const KeywordMatch::Query& query) const
{
    KeywordMatch::Query q = query;
    for (std::vector<KeywordMatch::Reading>& word : q) {
        const QString typed = word.front().forms.front();
        if (typed.size() < SearchWords::kMinTypoLength)
            continue;
        for (const QString& known : m_vocabulary)
            if (known.size() >= SearchWords::kMinTypoLength && SearchWords::oneEditApart(typed, known))
                word.push_back({SearchWords::forms(known), KeywordMatch::kTypo});
    }
    return q;
}

std::vector<int> IconCatalogue::all() const
{
    std::vector<int> indices(static_cast<size_t>(std::min(size(), kMaxCandidates)));
    for (size_t i = 0; i < indices.size(); ++i)
        indices[i] = int(i);
    return indices;
}

int IconCatalogue::pageCount(int count)
{
    return std::clamp((count + kPageSize - 1) / kPageSize, 1, kMaxPages);
}

int IconCatalogue::indexOfName(const QString& name) const
{
    return m_byName.value(name, -1);
}

int IconCatalogue::indexOfThumbName(const QString& fileName) const
{
    return indexOfFile(m_byCompact, m_icons, fileName, kThumbSuffix);
}

int IconCatalogue::indexOfFullName(const QString& fileName) const
{
    if (fileName.endsWith(kThumbSuffix))
        return -1;
    return indexOfFile(m_byCompact, m_icons, fileName, kFullSuffix);
}
