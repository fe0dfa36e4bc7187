#include "catalogue-site/IconCatalogue.h"

#include "catalogue-site/IconNaming.h"

#include <QSet>

#include <algorithm>
#include <array>

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
} // namespace

IconCatalogue::IconCatalogue(std::vector<IconEntry> entries)
{
    QSet<QString> seen;
    for (IconEntry& e : entries) {
        if (e.compact.isEmpty() || seen.contains(e.compact))
            continue;
        seen.insert(e.compact);
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
    }
}

std::vector<int> IconCatalogue::search(const QString& keyword) const
{
    const QString needle = KeywordMatch::normalise(keyword);
    if (needle.isEmpty())
        return all();
    using Rank = KeywordMatch::Rank;
    std::array<std::vector<int>, 5> byRank;
    for (int i = 0; i < size(); ++i)
        if (const Rank rank = KeywordMatch::rank(m_terms[size_t(i)], needle); rank != Rank::None)
            byRank[size_t(rank)].push_back(i);
    std::vector<int> found;
    for (const Rank rank : {Rank::Name, Rank::Tag, Rank::Related, Rank::Partial})
        for (int i : byRank[size_t(rank)])
            if (int(found.size()) < kMaxResults)
                found.push_back(i);
    return found;
}

std::vector<int> IconCatalogue::all() const
{
    std::vector<int> indices(static_cast<size_t>(std::min(size(), kMaxResults)));
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
