#include "app/CommandLine.h"

CommandLine CommandLine::parse(const QStringList& args)
{
    CommandLine cl;
    auto take = [&](qsizetype& i, QString& target) {
        if (i + 1 >= args.size() || args[i + 1].startsWith("--")) {
            cl.error = "missing value for " + args[i];
            return false;
        }
        target = args[++i];
        return true;
    };
    for (qsizetype i = 0; i < args.size() && cl.error.isEmpty(); ++i) {
        const QString& a = args[i];
        if (a == "--help" || a == "-h") {
            cl.help = true;
        } else if (a == "--base-url") {
            take(i, cl.baseUrl);
        } else if (a == "--home") {
            take(i, cl.home);
        } else if (a == "--screenshot") {
            take(i, cl.screenshot);
        } else if (a == "--export") {
            if (i + 2 >= args.size()) {
                cl.error = "--export needs SRC and DEST";
            } else {
                cl.exportArgs = {args[i + 1], args[i + 2]};
                i += 2;
            }
        } else {
            cl.error = "unknown option " + a;
        }
    }
    return cl;
}

QString CommandLine::usage()
{
    return QStringLiteral(
        "usage: pictomine [--base-url URL] [--home DIR] [--screenshot FILE]\n"
        "       pictomine --export SRC DEST\n"
        "  --base-url URL     catalogue site root address, ending with \"/\"\n"
        "  --home DIR         application folder (default: PICTOMINE_HOME or the program's folder)\n"
        "  --screenshot FILE  save a PNG of the window after the first page load, then quit\n"
        "  --export SRC DEST  convert SRC into DEST's format (png, jpg, bmp, gif, tif, ico) and quit\n"
        "  --help             show this text\n");
}
