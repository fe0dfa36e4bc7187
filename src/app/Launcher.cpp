#include "app/Launcher.h"

#include "app/WindowlessCommands.h"
#include "platform/AppPaths.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <unistd.h>

QString Launcher::windowProgram()
{
    return AppPaths::programFolder() + QStringLiteral("/pictomine-window");
}

int Launcher::run(int argc, char** argv)
{
    WindowlessCommands::nameApplication();
    const CommandLine cl = WindowlessCommands::parse(argc, argv);
    if (const std::optional<int> status = WindowlessCommands::run(cl, argc, argv))
        return *status;
    const QByteArray window = QFile::encodeName(windowProgram());
    argv[0] = const_cast<char*>(window.constData());
    execv(window.constData(), argv);
    return WindowlessCommands::fail(
        QStringLiteral("cannot start %1: %2")
            .arg(QString::fromLocal8Bit(window), QString::fromLocal8Bit(std::strerror(errno))),
        WindowlessCommands::kFailure);
}
