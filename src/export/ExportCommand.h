#pragma once

#include "platform/AppPaths.h"
#include "platform/FileWriter.h"

#include <QString>
#include <QTextStream>

// `pictomine --export SRC DEST`: the tile's export without a window. The format comes from DEST's
// extension (ignoring case; none or unknown gives BMP).
class ExportCommand
{
public:
    // Returns 0 on success, 1 after writing a one-line message to `errors` on failure (DEST is then
    // as it was). The files are written through `files`; an icon's sizes are rendered into the
    // Sizes folder of `paths`.
    static int run(const QString& source, const QString& destination, const AppPaths& paths,
                   QTextStream& errors, FileWriter& files = FileWriter::system());

    // Ends an export process at once with `status`, its output flushed (see the definition for why).
    [[noreturn]] static void endProcess(int status);
};
