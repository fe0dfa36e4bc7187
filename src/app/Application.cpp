#include "app/Application.h"

#include "app/CommandLine.h"
#include "app/Form1.h"
#include "export/ExportCommand.h"
#include "grid/Artwork.h"
#include "platform/AppPaths.h"
#include "platform/Dialogs.h"
#include "platform/SiteAddress.h"

#include <QApplication>
#include <QFont>
#include <QTextStream>
#include <QTimer>

#ifndef PICTOMINE_VERSION
#define PICTOMINE_VERSION "0"
#endif
#ifndef PICTOMINE_APP_ID
#define PICTOMINE_APP_ID "org.pictomine.Pictomine"
#endif

namespace
{
// Longest wait for the first result page before a screenshot is taken anyway.
constexpr int kScreenshotDeadlineMs = 90000;
constexpr int kFailure = 1;
constexpr int kUsageError = 2;

QStringList arguments(int argc, char** argv)
{
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    return args;
}

bool hasDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

// The window's design fonts are Windows fonts; map them to metric-compatible free ones.
void substituteFonts()
{
    QFont::insertSubstitution("Verdana", "DejaVu Sans");
    QFont::insertSubstitution("Tahoma", "DejaVu Sans");
    QFont::insertSubstitution("Arial", "Liberation Sans");
}

int fail(const QString& message, int status)
{
    QTextStream(stderr) << "pictomine: " << message << '\n';
    return status;
}

// Settles the application folder. A folder that cannot be written is reported, never shown as
// an empty catalogue. Returns an empty text when the folder is ready.
QString settleFolder(const CommandLine& cl)
{
    AppPaths::setRoot(AppPaths::defaultRoot(cl.home));
    return AppPaths::prepare();
}

// The export needs no window: a core application object only (for the application folder and
// the plug-in paths), and the process ends as soon as the file is in place.
[[noreturn]] void runExport(int argc, char** argv, const CommandLine& cl)
{
    QCoreApplication app(argc, argv);
    int status = kFailure;
    if (const QString problem = settleFolder(cl); !problem.isEmpty()) {
        fail(problem, kFailure);
    } else {
        QTextStream errors(stderr);
        status = ExportCommand::run(cl.exportArgs[0], cl.exportArgs[1], errors);
    }
    ExportCommand::endProcess(status);
}

void arrangeScreenshot(Form1& window, const QString& path, int& status)
{
    auto take = [&window, path, &status] {
        status = window.grab().save(path, "PNG") ? 0 : kFailure;
        if (status != 0)
            QTextStream(stderr) << "pictomine: cannot write " << path << '\n';
        window.close();
    };
    QObject::connect(&window, &Form1::firstPageShown, &window, take, Qt::QueuedConnection);
    QTimer::singleShot(kScreenshotDeadlineMs, &window, take);
}
} // namespace

int Application::run(int argc, char** argv)
{
    // The name also names the user's data folder (~/.local/share/pictomine).
    QCoreApplication::setApplicationName(QStringLiteral("pictomine"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PICTOMINE_VERSION));
    const CommandLine cl = CommandLine::parse(arguments(argc, argv));
    if (!cl.error.isEmpty()) {
        QTextStream(stderr) << "pictomine: " << cl.error << "\nTry 'pictomine --help'.\n";
        return kUsageError;
    }
    if (cl.help || cl.helpAll) {
        QTextStream(stdout) << CommandLine::helpText(cl.helpAll);
        return 0;
    }
    if (cl.version) {
        QTextStream(stdout) << CommandLine::versionText();
        return 0;
    }
    if (!cl.exportArgs.isEmpty())
        runExport(argc, argv, cl);

    // A screenshot needs no screen of its own: draw off screen when there is none.
    if (!cl.screenshot.isEmpty() && !hasDisplay())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Pictomine"));
    QGuiApplication::setDesktopFileName(QStringLiteral(PICTOMINE_APP_ID));
    substituteFonts();
    Artwork::init();
    QApplication::setWindowIcon(Artwork::icon());
    if (!cl.baseUrl.isEmpty() && !SiteAddress::setBase(cl.baseUrl))
        return fail("not a usable catalogue address: " + cl.baseUrl, kUsageError);
    if (const QString problem = settleFolder(cl); !problem.isEmpty()) {
        // A screenshot run has nobody to answer a message box.
        if (cl.screenshot.isEmpty())
            Dialogs::instance().critical(problem);
        return fail(problem, kFailure);
    }

    Form1 window;
    int status = 0;
    if (!cl.screenshot.isEmpty())
        arrangeScreenshot(window, cl.screenshot, status);
    window.show();
    const int loopStatus = QApplication::exec();
    return status != 0 ? status : loopStatus;
}
