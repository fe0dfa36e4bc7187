#pragma once

#include <QString>
#include <QTextStream>

// `pictomine --export SRC DEST`: the tile's export without a window. The format comes from DEST's
// extension (ignoring case; none or unknown gives BMP). Returns 0 on success, 1 after writing a
// one-line message to `errors` on failure.
class ExportCommand
{
public:
    static int run(const QString& source, const QString& destination, QTextStream& errors);
};
