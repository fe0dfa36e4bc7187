#pragma once

#include <QDate>
#include <QString>

// Rules for icon names and dates: how a file name becomes an icon name, the compact form searches
// match against, and the deterministic post date every name gets.
class IconNaming
{
public:
    // Lowercase ASCII words and digits of a file's base name, joined by "-"; accents are dropped,
    // every other character and a capital after a small letter separate words. Empty when nothing
    // is left.
    static QString nameFromFileBase(const QString& base);
    // The name with its separators removed.
    static QString compact(const QString& name);
    // A date from 2013-01-01 to 2017-12-31, the same for the same name on every run.
    static QDate dateFor(const QString& name);
    // FNV-1a of the text's UTF-8: the same on every run and platform, unlike qHash.
    static quint32 stableHash(const QString& text);
    // Whether text holds "2013" to "2017", which the client takes for a post address.
    static bool containsPostYear(const QString& text);

    static constexpr int kFirstYear = 2013;
    static constexpr int kLastYear = 2017;
    static constexpr int kMaxNameLength = 120;
};
