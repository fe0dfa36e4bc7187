#pragma once

#include "catalogue-site/IconEntry.h"
#include "catalogue-site/KeywordMatch.h"

#include <QHash>
#include <QSet>
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
    // A listing's candidates: some more than it shows, as some may turn out to repeat a picture.
    static constexpr int kMaxCandidates = kMaxResults + 4 * kPageSize;

    // Dates every entry that has no date yet, drops repeated compact names (the first one stays) and sorts.
    explicit IconCatalogue(std::vector<IconEntry> entries);

    [[nodiscard]] int size() const { return int(m_icons.size()); }
    [[nodiscard]] const IconEntry& at(int index) const { return m_icons[size_t(index)]; }

    // Indices of the icons the search fits (KeywordMatch), at most kMaxCandidates, best first: by
    // rank, the word itself before a synonym, then by how well the picture serves the search
    // (artwork before glyphs, a name that is little more than the search before a long one); an
    // application's brand, a theme's aliases and an icon's associations only when nothing else fits.
    // When nothing fits, a typo is forgiven in words of kMinTypoLength letters or more. A search
    // without letters or digits lists every icon.
    [[nodiscard]] std::vector<int> search(const QString& keyword) const;
    // Indices 0 .. size() - 1, at most kMaxCandidates.
    [[nodiscard]] std::vector<int> all() const;

    // Number of result pages for `count` results; at least 1 (an empty result has one page), at
    // most kMaxPages.
    static int pageCount(int count);

    // -1 when not found.
    [[nodiscard]] int indexOfName(const QString& name) const;
    [[nodiscard]] int indexOfThumbName(const QString& fileName) const;
    [[nodiscard]] int indexOfFullName(const QString& fileName) const;

private:
    [[nodiscard]] std::vector<int> ranked(const KeywordMatch::Query& query) const;
    // The query with each long word's typo readings: catalogue words one edit away.
    [[nodiscard]] KeywordMatch::Query forgiving(const KeywordMatch::Query& query) const;

    std::vector<IconEntry> m_icons;
    QSet<QString> m_vocabulary;
    std::vector<KeywordMatch::Terms> m_terms;
    QHash<QString, int> m_byName;
    QHash<QString, int> m_byCompact;
};
