#pragma once

#include "catalogue-site/IconEntry.h"
#include "catalogue-site/KeywordMatch.h"

#include <QHash>
#include <QString>

#include <vector>

// The catalogue's icons, newest first (by date, then by name), each compact name once. Looks up
// icons by their addresses' parts and answers keyword searches. Read-only after construction, so
// it is shared between the server's threads without locking.
class IconCatalogue
{
public:
    static constexpr int kPageSize = 30;
    // Paging stops here: no listing has more pages, whatever it matches.
    static constexpr int kMaxPages = 26;
    static constexpr int kMaxResults = kPageSize * kMaxPages;

    // Dates every entry, drops repeated compact names (the first one stays) and sorts.
    explicit IconCatalogue(std::vector<IconEntry> entries);

    [[nodiscard]] int size() const { return int(m_icons.size()); }
    [[nodiscard]] const IconEntry& at(int index) const { return m_icons[size_t(index)]; }

    // Indices of the icons the keyword fits (KeywordMatch), at most kMaxResults: those it fits by
    // name, then by tag, then by related subject, then partly, each group in catalogue order. Case and
    // characters other than letters and digits do not count; a keyword without any matches every icon.
    [[nodiscard]] std::vector<int> search(const QString& keyword) const;
    // Indices 0 .. size() - 1, at most kMaxResults.
    [[nodiscard]] std::vector<int> all() const;

    // Number of result pages for `count` results; at least 1 (an empty result has one page), at
    // most kMaxPages.
    static int pageCount(int count);

    // -1 when not found.
    [[nodiscard]] int indexOfName(const QString& name) const;
    [[nodiscard]] int indexOfThumbName(const QString& fileName) const;
    [[nodiscard]] int indexOfFullName(const QString& fileName) const;

private:
    std::vector<IconEntry> m_icons;
    std::vector<KeywordMatch::Terms> m_terms;
    QHash<QString, int> m_byName;
    QHash<QString, int> m_byCompact;
};
