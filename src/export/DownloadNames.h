#pragma once

#include <QString>

// The names a tile's download derives from its thumbnail name t, e.g. "201511ab-150x150.png":
// year (characters 1-4), month (5-6), the size suffix (the last "-WIDTHxHEIGHT" right before the
// extension) and the full file name (t without that suffix).
struct DownloadNames {
    QString year;
    QString month;
    QString sizeSuffix;   // empty when t has none: t is then the full-size name itself
    QString fullFileName; // t without its size suffix

    static DownloadNames derive(const QString& thumbName);

    // "wp-content/uploads/YYYY/MM/<full file name>" under the site's base address.
    QString fullSizeUrl(const QString& base) const;
    // Whether the full file name can be used as a file in the downloads folder: not empty, not
    // "." or "..", no folder separators and no control characters.
    bool isPlainFileName() const;
};
