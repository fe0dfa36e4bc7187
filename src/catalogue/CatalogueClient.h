#pragma once

#include "catalogue/IconRecord.h"
#include "catalogue/ImagePass.h"
#include "catalogue/KeywordList.h"
#include "catalogue/QueryState.h"
#include "catalogue/ResultNotice.h"
#include "catalogue/ThumbnailCache.h"
#include "catalogue/ThumbnailDecodeQueue.h"
#include "platform/BusyPointer.h"
#include "platform/PageLoader.h"

#include <QObject>
#include <QStringList>

#include <deque>
#include <vector>

class SiteAddress;
class ResultView;

// The catalogue side of the main window: the query state, the result set (records and the list
// of cached thumbnail paths), the keyword list, and the page loads that fill them. Every page load
// carries a generation number; a load superseded by a newer one never touches the result set.
// Pages are parsed and thumbnails decoded on worker threads; everything they feed is applied
// here, on the window's thread, strictly in document order.
class CatalogueClient : public QObject
{
    Q_OBJECT
public:
    static constexpr int kPageSize = 30;
    // The catalogue pages a result set up to 26 pages of 30: Load More is offered after 30, 60,
    // ... 750 results, so the page after the last is never asked for.
    static constexpr int kLastPage = 26;
    static constexpr int kLastLoadMoreCount = kPageSize * (kLastPage - 1);
    // Thumbnails waiting for their decode before the image pass holds back.
    static constexpr int kMaxPendingDecodes = 6;

    // The page load holds its own claim on the pointer from its start until 30 results are shown
    // or it ends. The thumbnail cache goes into iconsFolder (see ThumbnailCache), written through
    // `files`.
    CatalogueClient(ResultView& view, BusyPointer& pointer, const SiteAddress& site,
                    const QString& iconsFolder, FileWriter& files = FileWriter::system(),
                    QObject* parent = nullptr);

    // Begins a new result set for the search box text (empty = the front page).
    void startQuery(const QString& searchText);
    // The category menu's choice: returns the text to put into the search box (the row's slug, or
    // the current keyword for an index outside the table). The caller then runs startQuery.
    QString chooseCategory(int selectedIndex);
    // Appends the next page of the current query.
    void loadMoreResults(const QString& searchText);
    void loadResultPage(int page, bool frontPage);
    // Stops the page load and every transfer.
    void stop();

    [[nodiscard]] const std::vector<IconRecord>& records() const { return m_records; }
    std::vector<IconRecord>& records() { return m_records; }
    [[nodiscard]] const QStringList& resultList() const { return m_resultList; }
    [[nodiscard]] QueryState& state() { return m_state; }
    [[nodiscard]] KeywordList& keywords() { return m_keywords; }
    [[nodiscard]] bool isLoading() const { return m_loading; }
    [[nodiscard]] const ThumbnailCache& cache() const { return m_cache; }
    [[nodiscard]] QString lastRequestUrl() const { return m_lastUrl; }
    void setParallelFetches(int n) { m_images.setParallel(n); }
    void setPageTimeout(int ms) { m_page.setTimeout(ms); }
    void setPageLimits(const HtmlDocument::Limits& limits) { m_page.setLimits(limits); }

private:
    struct StoredThumbnail {
        QString name;
        QString path;
    };
    void takeLoadMoreAway();
    void onDocumentComplete(quint64 generation, PageLoader::Outcome outcome);
    void onImage(const QString& address, bool ok, const QByteArray& bytes);
    void onDecoded(const ThumbnailImage& thumbnail, const QString& storeError);
    void offerLoadMore();
    // A Load More page that failed or stored nothing: the panel comes back and says why.
    void reportEmptyLoadMore(const ResultNotice::Page& page);
    void endPageLoadWhenDone();
    void endPageLoad();

    ResultView& m_view;
    BusyPointer& m_pointer;
    const SiteAddress& m_site;
    BusyPointer::Claim m_pageClaim;
    ThumbnailCache m_cache;
    PageLoader m_page;
    ImagePass m_images;
    ThumbnailDecodeQueue m_decodes;
    std::deque<StoredThumbnail> m_stored; // written to the cache, waiting for their decode
    QueryState m_state;
    KeywordList m_keywords;
    std::vector<IconRecord> m_records;
    QStringList m_resultList;
    QString m_previousName;
    QString m_lastUrl;
    int m_pageNumber = 0;      // the page being loaded
    int m_postsListed = 0;     // accepted post links of the page being loaded
    int m_listAtPageStart = 0; // result-list entries before the page being loaded
    int m_progressWidth = 0;
    quint64 m_generation = 0;
    bool m_loading = false;
    bool m_imagesDone = false;       // the image pass of the page being loaded has handed on every image
    bool m_cacheFailureSaid = false; // the view was told that a thumbnail could not be cached
};
