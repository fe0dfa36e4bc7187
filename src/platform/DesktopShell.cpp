#include "platform/DesktopShell.h"

#include <QCoreApplication>
#include <QProcess>
#include <QUrl>

bool DesktopShell::handOff(const QUrl& url)
{
    const QString address = url.toString();
    // The message goes through the process-lifetime dialogs, which outlive any xdg-open run.
    Dialogs* told = &dialogs();
    auto* process = new QProcess(QCoreApplication::instance());
    QObject::connect(process, &QProcess::finished, process,
                     [process, address, told](int exitCode, QProcess::ExitStatus status) {
                         if (status != QProcess::NormalExit || exitCode != 0)
                             reportNoBrowser(*told, address);
                         process->deleteLater();
                     });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, address, told](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         reportNoBrowser(*told, address);
                         process->deleteLater();
                     });
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    process->start(QStringLiteral("xdg-open"), {address});
    return true;
}
