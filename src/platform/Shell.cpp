#include "platform/Shell.h"

#include "platform/Dialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QUrl>

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
    if (handOff(QUrl(address, QUrl::StrictMode)))
        return true;
    reportNoBrowser(m_dialogs, address);
    return false;
}

void Shell::reportNoBrowser(Dialogs& dialogs, const QString& address)
{
    QGuiApplication::clipboard()->setText(address);
    dialogs.inform(QApplication::activeWindow(),
                   QStringLiteral("No web browser could be started to show the icon's page.\n"
                                  "Its address is on the clipboard:\n%1")
                       .arg(address),
                   QStringLiteral("Pictomine"));
}
