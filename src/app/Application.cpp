#include "app/Application.h"

#include "app/CommandLine.h"
#include "app/Form1.h"
#include "export/ExportCommand.h"
#include "grid/Artwork.h"
#include "platform/AppPaths.h"
#include "platform/SiteAddress.h"

#include <QApplication>
#include <QFont>
#include <QTextStream>
#include <QTimer>

#include <cstdio>

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

int fail(const QString& message, int status)
{
    QTextStream(stderr) << "pictomine: " << message << '\n';
    return status;
}

void arrangeScreenshot(Form1& window, const QString& path, int& status)
{
    auto take = [&window, path, &status] {
        status = window.grab().save(path, "PNG") ? 0 : 1;
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
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const CommandLine cl = CommandLine::parse(args);
    if (!cl.error.isEmpty()) {
        QTextStream(stderr) << "pictomine: " << cl.error << '\n' << CommandLine::usage();
        return 2;
    }
    if (cl.help) {
        QTextStream(stdout) << CommandLine::usage();
        return 0;
    }
    // The export needs no window: it runs before any application object is built.
    if (!cl.exportArgs.isEmpty())
        ExportCommand::runProcess(argc, argv, cl.exportArgs[0], cl.exportArgs[1], cl.home);
    // A screenshot needs no screen of its own: draw off screen when there is none.
    if (!cl.screenshot.isEmpty() && !hasDisplay())
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    QApplication::setApplicationName("Pictomine");
    substituteFonts();
    Artwork::init();
    if (!cl.baseUrl.isEmpty() && !SiteAddress::setBase(cl.baseUrl))
        return fail("not a usable catalogue address: " + cl.baseUrl, 2);
    AppPaths::setRoot(AppPaths::defaultRoot(cl.home));
    AppPaths::ensureLayout();
    Form1 window;
    int status = 0;
    if (!cl.screenshot.isEmpty())
        arrangeScreenshot(window, cl.screenshot, status);
    window.show();
    const int loopStatus = QApplication::exec();
    return status != 0 ? status : loopStatus;
}
