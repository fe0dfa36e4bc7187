#pragma once

#include <QString>

// The names a tile's download derives from its thumbnail name t, e.g. "201511ab-150x150.png":
// year (characters 1-4), month (5-6), the size suffix (the 8 characters from the first "-", fewer
// at the end of t) and the full file name (t with every occurrence of the suffix removed).
struct DownloadNames {
    QString year;
    QString month;
    QString sizeSuffix;   // empty when t has no "-"
    QString fullFileName; // t itself when t has no "-"

    static DownloadNames derive(const QString& thumbName);

    // "wp-content/uploads/YYYY/MM/<full file name>" under the site's base address.
    QString fullSizeUrl(const QString& base) const;
    // Whether the full file name can be used as a file in the downloads folder: not empty, not
    // "." or "..", no folder separators and no control characters.
    bool isPlainFileName() const;
};
