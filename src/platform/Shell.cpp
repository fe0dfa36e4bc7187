#include "platform/Shell.h"

#include <QUrl>

bool Shell::isOpenable(const QString& address)
{
    const QUrl url(address, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == "http" || scheme == "https") && !url.host().isEmpty();
}

bool Shell::openUrl(const QString& address)
{
    return isOpenable(address) && handOff(QUrl(address, QUrl::StrictMode));
}
