#include "app/WindowlessCommands.h"

#include "export/ExportCommand.h"
#include "platform/AppPaths.h"
#include "platform/CatalogueAddress.h"
#include "platform/SiteAddress.h"
#include "platform/UserSettings.h"

#include <QCoreApplication>
#include <QTextStream>

#ifndef PICTOMINE_VERSION
#define PICTOMINE_VERSION "0"
#endif

namespace
{
// The export needs no window: a core application object only (for the application folder and
// the plug-in paths), and the process ends as soon as the file is in place.
[[noreturn]] void runExport(int argc, char** argv, const CommandLine& cl)
{
    QCoreApplication app(argc, argv);
    int status = WindowlessCommands::kFailure;
    const AppPaths paths = WindowlessCommands::folderOf(cl);
    if (const QString problem = paths.prepare(); !problem.isEmpty()) {
        WindowlessCommands::fail(problem, status);
    } else {
        QTextStream errors(stderr);
        status = ExportCommand::run(cl.exportArgs[0], cl.exportArgs[1], paths, errors);
    }
    ExportCommand::endProcess(status);
}
// The help's last lines: the catalogue address this command line would use, and its source.
QString addressInForce(const CommandLine& cl)
{
    const CatalogueAddress in = CatalogueAddress::resolve(cl.baseUrl);
    if (!in.error.isEmpty())
        return QStringLiteral("\nCatalogue address: not usable (%1) in %2\n").arg(in.error, in.source);
    return QStringLiteral(
               "\nCatalogue address: %1\n  (from %2; set it as address= under [catalogue] in %3)\n")
        .arg(in.address, in.source, UserSettings::defaultFileName());
}
} // namespace

void WindowlessCommands::nameApplication()
{
    // The name also names the user's data folder (~/.local/share/pictomine).
    QCoreApplication::setApplicationName(QStringLiteral("pictomine"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PICTOMINE_VERSION));
}

CommandLine WindowlessCommands::parse(int argc, char** argv)
{
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    return CommandLine::parse(args);
}

std::optional<int> WindowlessCommands::run(const CommandLine& cl, int argc, char** argv)
{
    if (!cl.error.isEmpty()) {
        QTextStream(stderr) << "pictomine: " << cl.error << "\nTry 'pictomine --help'.\n";
        return kUsageError;
    }
    if (cl.help || cl.helpAll) {
        QTextStream(stdout) << CommandLine::helpText(cl.helpAll) << addressInForce(cl);
        return 0;
    }
    if (cl.version) {
        QTextStream(stdout) << CommandLine::versionText();
        return 0;
    }
    if (!cl.exportArgs.isEmpty())
        runExport(argc, argv, cl);
    return std::nullopt;
}

AppPaths WindowlessCommands::folderOf(const CommandLine& cl)
{
    return AppPaths(AppPaths::defaultRoot(cl.home));
}

QString WindowlessCommands::settleAddress(const CommandLine& cl, SiteAddress& site)
{
    const CatalogueAddress in = CatalogueAddress::resolve(cl.baseUrl);
    if (in.error.isEmpty() && site.setBase(in.address))
        return {};
    return QStringLiteral("not a usable catalogue address (%1) from %2: %3")
        .arg(in.error, in.source, in.address);
}

int WindowlessCommands::fail(const QString& message, int status)
{
    QTextStream(stderr) << "pictomine: " << message << '\n';
    return status;
}
