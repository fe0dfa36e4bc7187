#pragma once

#include <QString>

// The state of the current query.
struct QueryState {
    QString keyword;               // as it goes into the address; empty = the front page
    int resultCount = 0;           // next IconRecord index to fill
    bool loadMore = false;         // the Load More panel is (to be) shown
    bool pageBoundary = false;     // the last stored thumbnail completed a page of 30
    int pagesLoaded = 0;           // the last page of this result set that arrived
    bool thumbnailsMissed = false; // a full page of this result set stored fewer thumbnails than posts
};
