// catalogue-site: a stand-in icon catalogue on 127.0.0.1. Prints its base address as the first
// line on stdout once it accepts connections (the icons are indexed after that, and requests wait
// for the index), and stops cleanly on SIGINT or SIGTERM.
#include "catalogue-site/ArtworkDedup.h"
#include "catalogue-site/DemoSources.h"
#include "catalogue-site/IconDirectoryScan.h"
#include "catalogue-site/IndexCache.h"
#include "catalogue-site/RequestLog.h"
#include "catalogue-site/SiteOptions.h"
#include "catalogue-site/SiteServer.h"
#include "catalogue-site/SyntheticIcons.h"

#include <QElapsedTimer>
#include <QGuiApplication>

#include <csignal>
#include <cstdio>
#include <pthread.h>

namespace
{
constexpr int kUsageError = 2;

// The demo's entries from the index cache, or read from the icon sets and cached.
std::vector<IconEntry> demoIcons()
{
    const IndexCache cache(IndexCache::defaultFile());
    // The program itself is an input too: a new build may read the sets differently.
    const QString fingerprint =
        IndexCache::fingerprint(DemoSources::inputs() << QCoreApplication::applicationFilePath());
    if (auto cached = cache.load(fingerprint)) {
        std::fprintf(stderr, "catalogue-site: %zu icons from the index cache %s\n", cached->size(),
                     qPrintable(IndexCache::defaultFile()));
        return std::move(*cached);
    }
    QStringList notes;
    std::vector<IconEntry> entries = DemoSources::collect(&notes);
    if (!entries.empty() && !cache.save(fingerprint, entries))
        notes << "cannot write the index cache " + IndexCache::defaultFile();
    for (const QString& note : notes)
        std::fprintf(stderr, "catalogue-site: %s\n", qPrintable(note));
    return entries;
}

std::vector<IconEntry> collectIcons(const SiteOptions& options)
{
    std::vector<IconEntry> entries;
    if (options.demo)
        entries = demoIcons();
    for (IconEntry& e : ArtworkDedup::collapse(IconDirectoryScan::scan(options.iconFolders)))
        entries.push_back(std::move(e));
    for (IconEntry& e : SyntheticIcons::entries(options.synthetic))
        entries.push_back(std::move(e));
    return entries;
}

int fail(const QString& message, int code)
{
    std::fprintf(stderr, "catalogue-site: %s\n", qPrintable(message));
    return code;
}
} // namespace

int main(int argc, char** argv)
{
    // Termination signals are taken by sigwait below; every thread inherits this mask.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // fonts for SVG text; no window is ever shown

    QString error;
    const auto options = SiteOptions::parse(app.arguments().mid(1), &error);
    if (!options)
        return fail(error + "\n" + SiteOptions::usage(), kUsageError);
    if (options->help) {
        std::fputs(qPrintable(SiteOptions::usage()), stdout);
        return 0;
    }

    RequestLog log;
    if (!options->logFile.isEmpty() && !log.open(options->logFile, &error))
        return fail(error, kUsageError);

    QElapsedTimer clock;
    clock.start();
    SiteServer server([o = *options] { return collectIcons(o); }, options->faults, options->latencyMs,
                      log.isOpen() ? &log : nullptr);
    if (!server.start(options->port, &error))
        return fail(error, 1);
    std::printf("%s\n", qPrintable(server.baseUrl()));
    std::fflush(stdout);
    const int count = server.waitForContent();
    if (count == 0) {
        server.stop();
        return fail(options->demo
                        ? "no icons found: the demo's icon sets are not installed (run scripts/setup)"
                        : "no icons found in " + options->iconFolders.join(", "),
                    kUsageError);
    }
    std::fprintf(stderr, "catalogue-site: serving %d icons (indexed in %lld ms)\n", count,
                 static_cast<long long>(clock.elapsed()));

    int signal = 0;
    sigwait(&stopSignals, &signal);
    server.stop();
    return 0;
}
