#include "platform/DesktopShell.h"

#include <QDesktopServices>
#include <QUrl>

bool DesktopShell::handOff(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}
