#pragma once

#include "catalogue/KeywordEntry.h"

#include <QString>

#include <functional>
#include <random>
#include <vector>

// The Good Luck keyword list: remembered searches, read from and written back to a text file of
// "keyword#count" lines (UTF-8, CR LF). At most kCapacity entries are kept once the list is full;
// later recordings overwrite the oldest slot in turn.
class KeywordList
{
public:
    static constexpr int kCapacity = 10;

    KeywordList();

    // A missing or unreadable file gives an empty list; lines without "#" or with a count that is
    // not a 16-bit number are skipped.
    void LoadKeywords(const QString& path);
    // Rewrites the file (temporary file and rename); does nothing when the file does not exist.
    bool SaveKeywords(const QString& path) const;
    // Records a search text as typed (spaces kept, empty text too) with count 1.
    void record(const QString& searchText);
    // A keyword drawn at random among the entries that hold one; empty when there is none.
    QString PickLuckyKeyword();

    [[nodiscard]] const std::vector<KeywordEntry>& entries() const { return m_entries; }
    [[nodiscard]] int saveCount() const { return m_saveCount; }
    // Replaces the uniform [0, 1) source (tests make the draw predictable).
    void setRandomSource(std::function<double()> source) { m_random = std::move(source); }

private:
    std::vector<KeywordEntry> m_entries;
    int m_saveCount = 0;
    int m_ringNext = 0; // slot the next recording overwrites once the list is full
    std::function<double()> m_random;
};
