// Runs the real window against each hostile case of HostileSite and prints the longest stall of
// its event loop, the longest delay of a keystroke posted to the search box while the page
// loads, the peak resident memory, how long the load took, whether the pointer was back to normal
// and how it ended.

#include "HostileSite.h"

#include "app/MainWindow.h"
#include "catalogue/CatalogueClient.h"
#include "grid/Artwork.h"
#include "platform/AppPaths.h"
#include "platform/BusyPointer.h"
#include "platform/Clipboard.h"
#include "platform/DesktopShell.h"
#include "platform/Dialogs.h"
#include "platform/ScreenInfo.h"
#include "platform/SiteAddress.h"
#include "platform/StallMeter.h"
#include "platform/UserSettings.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace
{
constexpr int kCaseBoundMs = 120000;
constexpr int kKeystrokeEveryMs = 50;

// Starts a fresh peak: the kernel sets the high-water mark to the current resident size.
void resetPeakMemory()
{
    QFile clear("/proc/self/clear_refs");
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

long peakResidentKiB()
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

// Posts a keystroke to the search box every few milliseconds and records how late the box
// received it: the delay a person typing would see.
class KeystrokeProbe : public QObject
{
public:
    explicit KeystrokeProbe(QLineEdit* box) : m_box(box)
    {
        box->installEventFilter(this);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            m_posted.start();
            QCoreApplication::postEvent(m_box,
                                        new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a"));
        });
        m_timer.start(kKeystrokeEveryMs);
    }
    [[nodiscard]] double longestMs() const { return m_longestMs; }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && m_posted.isValid())
            m_longestMs = std::max(m_longestMs, double(m_posted.nsecsElapsed()) / 1e6);
        return false;
    }

private:
    QLineEdit* m_box;
    QTimer m_timer;
    QElapsedTimer m_posted;
    double m_longestMs = 0;
};

void runCase(const HostileSite& site, const QString& name)
{
    QTemporaryDir root;
    const AppPaths paths(root.path());
    paths.ensureLayout();
    SiteAddress address;
    address.setBase(site.baseUrl(name));
    resetPeakMemory();

    DesktopShell shell(Dialogs::instance());
    BusyPointer pointer;
    ScreenInfo screens;
    const UserSettings settings(root.filePath("pictomine.conf"));
    MainWindow window(WindowServices{paths, address, shell, pointer, Clipboard::system(), Dialogs::instance(),
                                     screens, settings});
    StallMeter meter;
    KeystrokeProbe probe(window.searchBar());
    bool shown = false;
    QObject::connect(&window, &MainWindow::firstPageShown, [&shown] { shown = true; });
    QElapsedTimer clock;
    clock.start();
    meter.start();
    window.show();
    while (!shown && clock.elapsed() < kCaseBoundMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    meter.stop();
    const qint64 loadMs = clock.elapsed();
    const QString notice = window.notice()->isVisible() ? window.notice()->text() : QString();
    const char* pointerState = pointer.shape() == BusyPointer::Shape::Default ? "normal" : "busy";
    std::printf("%-24s %8.1f %8.1f %8.1f %7lld %6lld %7s  %s\n", qPrintable(name), meter.longestStallMs(),
                probe.longestMs(), double(peakResidentKiB()) / 1024.0, static_cast<long long>(loadMs),
                static_cast<long long>(window.client().resultList().size()), pointerState,
                qPrintable(shown ? (notice.isEmpty() ? QStringLiteral("tiles placed") : notice)
                                 : QStringLiteral("did not finish")));
    std::fflush(stdout);
}
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Artwork::init();
    HostileSite site;
    QStringList cases = site.cases();
    if (argc > 1)
        cases = QStringList{QString::fromLocal8Bit(argv[1])};
    std::printf("Each case: the real window loading one result page from 127.0.0.1.\n");
    for (const QString& name : cases)
        std::printf("  %-24s %s\n", qPrintable(name), qPrintable(site.describe(name)));
    std::printf("\n%-24s %8s %8s %8s %7s %6s %7s  %s\n", "case", "stall ms", "key ms", "peak MB", "load ms",
                "tiles", "pointer", "outcome");
    for (const QString& name : cases)
        runCase(site, name);
    return 0;
}
