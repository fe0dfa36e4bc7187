#include "platform/DesktopShell.h"

#include <QCoreApplication>
#include <QProcess>
#include <QUrl>

bool DesktopShell::handOff(const QUrl& url)
{
    const QString address = url.toString();
    auto* process = new QProcess(QCoreApplication::instance());
    QObject::connect(process, &QProcess::finished, process,
                     [process, address](int exitCode, QProcess::ExitStatus status) {
                         if (status != QProcess::NormalExit || exitCode != 0)
                             reportNoBrowser(address);
                         process->deleteLater();
                     });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, address](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         reportNoBrowser(address);
                         process->deleteLater();
                     });
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    process->start(QStringLiteral("xdg-open"), {address});
    return true;
}
