#include "app/Application.h"

#include "app/FolderLock.h"
#include "app/MainWindow.h"
#include "app/WindowlessCommands.h"
#include "grid/Artwork.h"
#include "platform/AppPaths.h"
#include "platform/BusyPointer.h"
#include "platform/Clipboard.h"
#include "platform/DesktopShell.h"
#include "platform/Dialogs.h"
#include "platform/ScreenInfo.h"
#include "platform/UserSettings.h"

#include <QApplication>
#include <QFont>
#include <QTextStream>
#include <QTimer>

#ifndef PICTOMINE_APP_ID
#define PICTOMINE_APP_ID "org.pictomine.Pictomine"
#endif

namespace
{
// Longest wait for the first result page before a screenshot is taken anyway.
constexpr int kScreenshotDeadlineMs = 90000;

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

void arrangeScreenshot(MainWindow& window, const QString& path, int& status)
{
    auto take = [&window, path, &status] {
        status = window.grab().save(path, "PNG") ? 0 : WindowlessCommands::kFailure;
        if (status != 0)
            QTextStream(stderr) << "pictomine: cannot write " << path << '\n';
        window.close();
    };
    QObject::connect(&window, &MainWindow::firstPageShown, &window, take, Qt::QueuedConnection);
    QTimer::singleShot(kScreenshotDeadlineMs, &window, take);
}
} // namespace

int Application::run(int argc, char** argv)
{
    WindowlessCommands::nameApplication();
    const CommandLine cl = WindowlessCommands::parse(argc, argv);
    if (const std::optional<int> status = WindowlessCommands::run(cl, argc, argv))
        return *status;

    // A screenshot needs no screen of its own: draw off screen when there is none.
    if (!cl.screenshot.isEmpty() && !hasDisplay())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Pictomine"));
    QGuiApplication::setDesktopFileName(QStringLiteral(PICTOMINE_APP_ID));
    substituteFonts();
    Artwork::init();
    QApplication::setWindowIcon(Artwork::icon());
    SiteAddress site;
    if (const QString problem = WindowlessCommands::settleAddress(cl, site); !problem.isEmpty()) {
        // An address from the settings file is no command-line mistake: tell whoever started us.
        if (cl.screenshot.isEmpty() && cl.baseUrl.isEmpty())
            Dialogs::instance().critical(problem);
        return WindowlessCommands::fail(problem, cl.baseUrl.isEmpty() ? WindowlessCommands::kFailure
                                                                      : WindowlessCommands::kUsageError);
    }
    const AppPaths paths = WindowlessCommands::folderOf(cl);
    if (const QString problem = paths.prepare(); !problem.isEmpty()) {
        // A screenshot run has nobody to answer a message box.
        if (cl.screenshot.isEmpty())
            Dialogs::instance().critical(problem);
        return WindowlessCommands::fail(problem, WindowlessCommands::kFailure);
    }
    FolderLock lock(paths.root());
    if (const QString taken = lock.acquire(); !taken.isEmpty()) {
        if (cl.screenshot.isEmpty())
            Dialogs::instance().critical(taken);
        return WindowlessCommands::fail(taken, WindowlessCommands::kFailure);
    }

    DesktopShell shell(Dialogs::instance());
    BusyPointer pointer;
    ScreenInfo screens;
    const UserSettings settings;
    MainWindow window(WindowServices{paths, site, shell, pointer, Clipboard::system(), Dialogs::instance(),
                                     screens, settings});
    int status = 0;
    if (!cl.screenshot.isEmpty())
        arrangeScreenshot(window, cl.screenshot, status);
    window.show();
    const int loopStatus = QApplication::exec();
    return status != 0 ? status : loopStatus;
}
