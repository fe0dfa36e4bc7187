#pragma once

#include <QString>

// The request addresses of result pages: the front page or a keyword search, page 1 or later.
class RequestUrl
{
public:
    // base ends with "/"; page >= 1.
    static QString build(const QString& base, int page, bool frontPage, const QString& keyword);
    // Keeps letters, digits and "-_.~" and other URL-safe characters as typed; percent-encodes
    // (as UTF-8) everything that would change the address's meaning or is not allowed in it.
    static QString encodeKeyword(const QString& keyword);
    // The search box text as it goes into the address: every space removed.
    static QString keywordFromSearchText(const QString& searchText);
};
