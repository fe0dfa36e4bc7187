#pragma once

#include <QString>

// The catalogue site's root address in force (set at start-up from CatalogueAddress).
class SiteAddress
{
public:
    static QString base();
    // Accepts an absolute http(s) address with a host that ends with "/"; else sets `error`.
    static bool setBase(const QString& address, QString* error = nullptr);
    static bool isValidBase(const QString& address, QString* error = nullptr);
};
