#pragma once

#include <QString>

// The catalogue site's root address: the one built in until a valid address replaces it (at
// start-up, from CatalogueAddress).
class SiteAddress
{
public:
    SiteAddress();
    // Accepts an absolute http(s) address with a host that ends with "/"; else sets `error` and
    // keeps the address it had.
    bool setBase(const QString& address, QString* error = nullptr);
    [[nodiscard]] const QString& base() const { return m_base; }
    static bool isValidBase(const QString& address, QString* error = nullptr);

private:
    QString m_base;
};
