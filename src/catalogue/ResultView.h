#pragma once

#include "catalogue/ThumbnailImage.h"

#include <QSize>

class QString;

// What a page load asks of the window showing the results. The window implements it; tests
// observe it.
class ResultView
{
public:
    virtual ~ResultView() = default;

    // A new query starts: unload the tiles (all but the first), clear the grid and its height,
    // update the scroll range.
    virtual void clearResults() = 0;
    // Creates, places and draws the tile of the newest result-list entry with its decoded thumbnail.
    virtual void placeNextTile(const ThumbnailImage& thumbnail) = 0;
    // The Load More flag changed: slide the panel in or out.
    virtual void loadMoreChanged(bool shown) = 0;
    virtual void setProgressWidth(int width) = 0;
    // A page load has ended (completely, or abandoned by a newer query: then superseded is true).
    virtual void pageLoadEnded(bool superseded) { (void)superseded; }
    // A load ended with no results at all: tell the user why. clearResults takes the text away.
    virtual void showNotice(const QString& text) { (void)text; }
    // A Load More page failed or brought nothing: the panel, shown again, carries this text until
    // the Load More flag next changes.
    virtual void showLoadMoreNotice(const QString& text) { (void)text; }
    // A thumbnail could not be written to the cache (`reason` says why, as "Cannot write PATH:
    // why"); its tile is shown all the same. Said at most once per result set; clearResults
    // takes it away.
    virtual void thumbnailsNotCached(const QString& reason) { (void)reason; }
    // The box a thumbnail is fitted into (the tile's width and the image box height) and the
    // device pixel ratio it is drawn at: thumbnails are decoded to that size.
    [[nodiscard]] virtual QSize thumbnailBox() const { return {200, 100}; }
    [[nodiscard]] virtual qreal devicePixelRatio() const { return 1.0; }
};
