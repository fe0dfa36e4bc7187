#include "catalogue-site/SiteOptions.h"

#include "catalogue-site/SyntheticIcons.h"

namespace
{
bool number(const QString& text, int low, int high, int& out)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < low || v > high)
        return false;
    out = v;
    return true;
}
} // namespace

QString SiteOptions::usage()
{
    return QStringLiteral(
               "usage: catalogue-site [--port N] [--demo] [--icons DIR]... [--synthetic N] [--log FILE]\n"
               "                      [--latency-ms L] [--faults a,b,...]\n"
               "Serves an icon catalogue on 127.0.0.1 and prints its base address as the first line.\n"
               "--demo serves the real icon sets scripts/setup installs (Papirus, EmojiOne, Open Clip Art).\n"
               "Faults: %1\n")
        .arg(FaultSet::knownNames().join(", "));
}

std::optional<SiteOptions> SiteOptions::parse(const QStringList& args, QString* error)
{
    SiteOptions o;
    auto fail = [&](const QString& why) -> std::optional<SiteOptions> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    for (int i = 0; i < args.size(); ++i) {
        const QString& opt = args[i];
        if (opt == "--help" || opt == "-h") {
            o.help = true;
            return o;
        }
        if (opt == "--demo") {
            o.demo = true;
            continue;
        }
        if (i + 1 >= args.size())
            return fail(QStringLiteral("%1 needs a value").arg(opt));
        const QString value = args[++i];
        if (opt == "--port") {
            if (!number(value, 0, 65535, o.port))
                return fail(QStringLiteral("--port: \"%1\" is not a port number").arg(value));
        } else if (opt == "--icons") {
            o.iconFolders << value;
        } else if (opt == "--synthetic") {
            if (!number(value, 1, SyntheticIcons::kMaxCount, o.synthetic))
                return fail(QStringLiteral("--synthetic: \"%1\" is not a count from 1 to %2")
                                .arg(value)
                                .arg(SyntheticIcons::kMaxCount));
        } else if (opt == "--log") {
            o.logFile = value;
        } else if (opt == "--latency-ms") {
            if (!number(value, 0, kMaxLatencyMs, o.latencyMs))
                return fail(QStringLiteral("--latency-ms: \"%1\" is not a delay in milliseconds").arg(value));
        } else if (opt == "--faults") {
            QString why;
            const auto faults = FaultSet::parse(value, &why);
            if (!faults)
                return fail(why);
            o.faults = *faults;
        } else {
            return fail(QStringLiteral("unknown option %1").arg(opt));
        }
    }
    if (!o.demo && o.iconFolders.isEmpty() && o.synthetic == 0)
        return fail(QStringLiteral("no icon source: give --demo, --icons DIR or --synthetic N"));
    return o;
}
