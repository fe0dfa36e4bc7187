#include "platform/SiteAddress.h"

#include <QUrl>

SiteAddress::SiteAddress() : m_base(QStringLiteral(PICTOMINE_BASE_URL)) {}

bool SiteAddress::isValidBase(const QString& address, QString* error)
{
    const QUrl url(address, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    QString why;
    if (!url.isValid() || url.host().isEmpty())
        why = QStringLiteral("not an absolute address with a host");
    else if (scheme != "http" && scheme != "https")
        why = QStringLiteral("only http and https addresses are supported");
    else if (!address.endsWith('/'))
        why = QStringLiteral("the address must end with \"/\"");
    else if (url.hasQuery() || url.hasFragment())
        why = QStringLiteral("the address must not carry a query or fragment");
    if (error)
        *error = why;
    return why.isEmpty();
}

bool SiteAddress::setBase(const QString& address, QString* error)
{
    if (!isValidBase(address, error))
        return false;
    m_base = address;
    return true;
}
