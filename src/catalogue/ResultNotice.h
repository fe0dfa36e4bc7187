#pragma once

#include "platform/PageLoader.h"

#include <QString>

// The line the window shows over an empty result set, telling the user why it is empty: the
// catalogue did not answer, answered with an error, sent a page that could not be read safely,
// listed posts whose pictures all failed, or answered with nothing for the query.
class ResultNotice
{
public:
    struct Page {
        PageLoader::Outcome outcome = PageLoader::Outcome::Loaded;
        int httpStatus = 0;
        int postsListed = 0; // posts the page listed (it stored no thumbnail)
    };
    // keyword: the query's keyword (empty = the front page).
    [[nodiscard]] static QString forEmptyResults(const Page& page, const QString& keyword);
};
