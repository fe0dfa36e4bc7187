#pragma once

#include "catalogue-site/FaultSet.h"

#include <QString>
#include <QStringList>

#include <optional>

// The site's command line.
struct SiteOptions {
    int port = 0;            // 0: any free port
    bool demo = false;       // --demo: the real icon sets of DemoSources
    QStringList iconFolders; // --icons DIR, repeatable
    int synthetic = 0;       // --synthetic N
    QString logFile;         // --log FILE
    int latencyMs = 0;       // --latency-ms L
    FaultSet faults;         // --faults a,b,...
    bool help = false;

    static constexpr int kMaxLatencyMs = 600000;

    // nullopt with `error` set for a bad or missing value, an unknown option or fault, or no
    // icon source. Sources add up: --demo, --icons and --synthetic may be given together.
    static std::optional<SiteOptions> parse(const QStringList& args, QString* error);
    static QString usage();
};
