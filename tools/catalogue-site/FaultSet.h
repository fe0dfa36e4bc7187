#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <set>

// The faults the site can be asked to show, each named on the command line. Thumbnail and page
// faults hit every 7th item; `stall` hits every result page, `full-404` every full-size icon.
enum class Fault {
    ThumbNotFound,  // thumb-404
    ThumbEmpty,     // thumb-empty: 200 with no body
    ThumbOneByte,   // thumb-one-byte
    ThumbTruncated, // thumb-truncated: the PNG cut in half
    ThumbGarbage,   // thumb-garbage: bytes that are no image
    ThumbBomb,      // thumb-bomb: a PNG header declaring 100000 x 100000 pixels
    DupNames,       // dup-names: an image repeats the previous image's address
    YearLinks,      // year-links: date archive links that are not posts
    HostileNames,   // hostile-names: thumbnail names such as "..", "%2e%2e", "\", controls, 300 chars
    BadMarkup,      // bad-markup: unclosed and misnested tags
    Stall,          // stall: a result page sends its headers and part of its body, then waits
    Reset,          // reset: the connection closes in the middle of a thumbnail's body
    FullNotFound,   // full-404
};

class FaultSet
{
public:
    static constexpr int kPeriod = 7;

    // "a,b,c" (empty = no faults); nullopt with `error` set for an unknown name.
    static std::optional<FaultSet> parse(const QString& list, QString* error = nullptr);
    static QStringList knownNames();

    void add(Fault f) { m_faults.insert(f); }
    [[nodiscard]] bool has(Fault f) const { return m_faults.count(f) != 0; }
    [[nodiscard]] bool empty() const { return m_faults.empty(); }

    // Whether the item at 0-based position `index` (in the catalogue for thumbnail answers, on
    // the page for page faults) is one of the every-7th that faults hit: 7th, 14th, ...
    static bool hits(int index) { return index % kPeriod == kPeriod - 1; }

private:
    std::set<Fault> m_faults;
};
