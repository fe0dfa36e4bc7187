#pragma once

#include <QDate>
#include <QString>

// Rules for icon names and dates: how a file name becomes an icon name, the compact form searches
// match against, and the deterministic post date every name gets.
class IconNaming
{
public:
    // Lowercase ASCII words and digits of a file's base name, joined by "-"; every other character
    // separates words. Empty when nothing is left.
    static QString nameFromFileBase(const QString& base);
    // The name with its separators removed.
    static QString compact(const QString& name);
    // A date from 2013-01-01 to 2017-12-31, the same for the same name on every run.
    static QDate dateFor(const QString& name);
    // Whether text holds "2013" to "2017", which the client takes for a post address.
    static bool containsPostYear(const QString& text);

    static constexpr int kFirstYear = 2013;
    static constexpr int kLastYear = 2017;
    static constexpr int kMaxNameLength = 120;
};
