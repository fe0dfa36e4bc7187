#pragma once

#include "catalogue/IconRecord.h"

#include <QStringList>

#include <vector>

// Turns a loaded result page's links into IconRecords: every link that carries a post year, is not
// a date archive and differs from the link accepted just before it becomes one record.
class LinkPass
{
public:
    // Appends records at index resultCount onward and advances resultCount. The array is resized
    // to exactly resultCount + 1 before each record is filled (so surplus records of an earlier
    // page are overwritten). base is the site's root address, ending with "/".
    static void run(const QStringList& links, std::vector<IconRecord>& records, int& resultCount,
                    const QString& base);

    // 1-based position where the icon name starts in a post link: after the site's base (or the
    // link's scheme and host when it lies elsewhere) and after the date segments that follow, a
    // year of 4 digits with an optional month and day of 1 or 2 digits ("2016/05/12/" or "2016/05/").
    static int titleStart(const QString& link, const QString& base);
    // The display title of a post link: from the 1-based position titleStart, at most up to the
    // last "/", with "-" turned into ", " and "/" removed.
    static QString titleFromLink(const QString& link, int titleStart);
    static bool isPostLink(const QString& link);
    // A year, month or day archive ("/2015/", "/2015/07/page/2/"): its path ends at its date
    // segments, or at a page number after them, so it names no post.
    static bool isDateArchive(const QString& link, const QString& base);
};

// The part of an address after its last "/" (the whole address when it has none).
QString fileNameFromUrl(const QString& url);
