#pragma once

#include "platform/PageLoader.h"

#include <QString>

// The lines the window shows when a page brings no results, telling the user why: the catalogue
// did not answer, answered with an error, sent a page that could not be read safely, listed posts
// whose pictures all failed, or answered with nothing for the query.
class ResultNotice
{
public:
    struct Page {
        PageLoader::Outcome outcome = PageLoader::Outcome::Loaded;
        int httpStatus = 0;
        int postsListed = 0; // posts the page listed (it stored no thumbnail)
        QString address;     // the address that was asked for
    };
    // Over an empty result set. keyword: the query's keyword (empty = the front page).
    [[nodiscard]] static QString forEmptyResults(const Page& page, const QString& keyword);
    // On the Load More panel, when the next page failed or stored no thumbnail: the reason and an
    // invitation to try again (the panel asks for the same page).
    [[nodiscard]] static QString forLoadMore(const Page& page);

private:
    // Why the page could not be read; empty when it was read.
    [[nodiscard]] static QString failure(const Page& page);
};
