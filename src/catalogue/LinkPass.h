#pragma once

#include "catalogue/IconRecord.h"

#include <QStringList>

#include <vector>

// Turns a loaded result page's links into IconRecords: every link that carries a post year and
// differs from the link accepted just before it becomes one record.
class LinkPass
{
public:
    // Appends records at index resultCount onward and advances resultCount. The array is resized
    // to exactly resultCount + 1 before each record is filled (so surplus records of an earlier
    // page are overwritten).
    static void run(const QStringList& links, std::vector<IconRecord>& records, int& resultCount,
                    int titleStart);

    // The display title of a post link: from the 1-based position titleStart, at most up to the
    // last "/", with "-" turned into ", " and "/" removed.
    static QString titleFromLink(const QString& link, int titleStart);
    static bool isPostLink(const QString& link);
};

// The part of an address after its last "/" (the whole address when it has none).
QString FileNameFromUrl(const QString& url);
