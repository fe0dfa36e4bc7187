#pragma once

#include <QString>

// The catalogue site's root address (a build value, overridable on the command line) and the
// positions in its addresses that the scraping rules depend on.
class SiteAddress
{
public:
    static QString base();
    // Accepts an absolute http(s) address with a host that ends with "/"; else sets `error`.
    static bool setBase(const QString& address, QString* error = nullptr);
    static bool isValidBase(const QString& address, QString* error = nullptr);

    // 1-based character position where the icon name starts in a post link:
    // base + "YYYY/MM/DD/" + name + "/".
    static int titleStart();
};
