#include "platform/Shell.h"

#include <QDesktopServices>
#include <QUrl>

namespace
{
std::function<void(const QString&)> g_opener;
}

bool Shell::isOpenable(const QString& address)
{
    const QUrl url(address, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == "http" || scheme == "https") && !url.host().isEmpty();
}

bool Shell::openUrl(const QString& address)
{
    if (!isOpenable(address))
        return false;
    if (g_opener)
        g_opener(address);
    else
        QDesktopServices::openUrl(QUrl(address));
    return true;
}

void Shell::setOpener(std::function<void(const QString&)> opener)
{
    g_opener = std::move(opener);
}
