#pragma once

#include <QString>
#include <QTextStream>

// `pictomine --export SRC DEST`: the tile's export without a window. The format comes from DEST's
// extension (ignoring case; none or unknown gives BMP).
class ExportCommand
{
public:
    // Returns 0 on success, 1 after writing a one-line message to `errors` on failure.
    static int run(const QString& source, const QString& destination, QTextStream& errors);

    // The whole export process: a core application object only (for the application folder and
    // the plug-in paths; no window system), the application folder from `home` as for the window,
    // run(), then the end of the process at once with run's status (see the definition for why).
    [[noreturn]] static void runProcess(int argc, char** argv, const QString& source,
                                        const QString& destination, const QString& home);
};
