#pragma once

#include "catalogue-site/IconEntry.h"

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

    // Dates every entry, drops repeated compact names (the first one stays) and sorts.
    explicit IconCatalogue(std::vector<IconEntry> entries);

    [[nodiscard]] int size() const { return int(m_icons.size()); }
    [[nodiscard]] const IconEntry& at(int index) const { return m_icons[size_t(index)]; }

    // Indices of the icons whose compact name contains keyword, case-insensitively, in catalogue
    // order. An empty keyword matches every icon.
    [[nodiscard]] std::vector<int> search(const QString& keyword) const;
    // Indices 0 .. size() - 1.
    [[nodiscard]] std::vector<int> all() const;

    // Number of result pages for `count` results; at least 1 (an empty result has one page).
    static int pageCount(int count);

    // -1 when not found.
    [[nodiscard]] int indexOfName(const QString& name) const;
    [[nodiscard]] int indexOfThumbName(const QString& fileName) const;
    [[nodiscard]] int indexOfFullName(const QString& fileName) const;

private:
    std::vector<IconEntry> m_icons;
    QHash<QString, int> m_byName;
    QHash<QString, int> m_byCompact;
};
