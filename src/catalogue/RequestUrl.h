#pragma once

#include <QString>

// The request addresses of result pages: the front page or a keyword search, page 1 or later.
class RequestUrl
{
public:
    // base ends with "/"; page >= 1.
    static QString build(const QString& base, int page, bool frontPage, const QString& keyword);
    // Keeps letters, digits and "-_.~" and other URL-safe characters as typed, sends a space as
    // "+" (the word separator a search form sends) and percent-encodes (as UTF-8) everything else
    // that would change the address's meaning or is not allowed in it, "+" itself included.
    static QString encodeKeyword(const QString& keyword);
    // The search box text as the query keyword: its words (runs of characters other than U+0020)
    // joined by one space, so a multi-word search finds every word instead of one run-together word.
    static QString keywordFromSearchText(const QString& searchText);
};
