#pragma once

#include "catalogue/KeywordEntry.h"
#include "platform/FileWriter.h"

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
    // Only the end of a longer file is read (the newest entries are written last): a huge file
    // costs no more at start-up than this.
    static constexpr qint64 kMaxReadBytes = 64 * 1024;

    KeywordList();

    // A missing or unreadable file gives an empty list; lines without "#" are skipped, a count
    // that is not a 16-bit number reads as 1. Of a file longer than kMaxReadBytes, the whole lines
    // of its last kMaxReadBytes are read.
    void loadKeywords(const QString& path);
    // Rewrites the file through `files` (a link at the path is replaced by the file, never written
    // through). Does nothing and returns false when the file does not exist; false with `error`
    // set, and the old file kept, when it cannot be written.
    bool saveKeywords(const QString& path, FileWriter& files = FileWriter::system(),
                      QString* error = nullptr) const;
    // Records a search text as typed (spaces kept, empty text too) with count 1.
    void record(const QString& searchText);
    // A keyword drawn at random among the entries that hold one; empty when there is none.
    QString pickLuckyKeyword();

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
