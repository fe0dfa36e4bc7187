#include "catalogue/CatalogueClient.h"

#include "catalogue/CategoryTable.h"
#include "catalogue/LinkPass.h"
#include "catalogue/RequestUrl.h"
#include "catalogue/ResultNotice.h"
#include "catalogue/ResultView.h"
#include "platform/SiteAddress.h"

namespace
{
constexpr int kProgressStep = 10;
}

CatalogueClient::CatalogueClient(ResultView& view, BusyPointer& pointer, const SiteAddress& site,
                                 const QString& iconsFolder, FileWriter& files, QObject* parent)
    : QObject(parent), m_view(view), m_pointer(pointer), m_site(site), m_cache(iconsFolder, files)
{
    connect(&m_images, &ImagePass::imageReady, this,
            [this](int, const QString& address, bool ok, const QByteArray& bytes) {
                onImage(address, ok, bytes);
            });
    connect(&m_images, &ImagePass::finished, this, [this] {
        m_imagesDone = true;
        endPageLoadWhenDone();
    });
    connect(&m_decodes, &ThumbnailDecodeQueue::decoded, this, &CatalogueClient::onDecoded);
}

void CatalogueClient::takeLoadMoreAway()
{
    if (m_state.loadMore) {
        m_state.loadMore = false;
        m_view.loadMoreChanged(false);
    }
}

void CatalogueClient::stop()
{
    ++m_generation;
    m_page.stop();
    m_images.cancel();
    m_decodes.clear();
    m_stored.clear();
    if (m_loading) {
        m_loading = false;
        m_pageClaim.release();
        m_view.setProgressWidth(0);
        m_view.pageLoadEnded(true);
    }
}

void CatalogueClient::startQuery(const QString& searchText)
{
    takeLoadMoreAway();
    stop();
    m_view.clearResults();
    m_cache.clear();
    m_cacheFailureSaid = false;
    m_resultList.clear();
    // A new result set starts with no records: nothing of the previous one may pair with it.
    m_records.clear();
    m_state.resultCount = 0;
    // A new result set starts on a fresh page: nothing of the old one holds back its tiles.
    m_state.pageBoundary = false;
    m_state.pagesLoaded = 0;
    m_state.thumbnailsMissed = false;
    m_keywords.record(searchText);
    if (!searchText.isEmpty()) {
        m_state.keyword = RequestUrl::keywordFromSearchText(searchText);
        loadResultPage(1, false);
    } else {
        m_state.keyword.clear();
        loadResultPage(1, true);
    }
}

QString CatalogueClient::chooseCategory(int selectedIndex)
{
    takeLoadMoreAway();
    stop();
    if (CategoryTable::isValidIndex(selectedIndex))
        m_state.keyword = CategoryTable::slug(selectedIndex);
    return m_state.keyword;
}

void CatalogueClient::loadMoreResults(const QString& searchText)
{
    // Pages are counted by their entries while every thumbnail arrives; once a full page stored
    // fewer, the entries no longer tell the page, so the pages loaded do.
    const int page =
        m_state.thumbnailsMissed ? m_state.pagesLoaded + 1 : int(m_resultList.size()) / kPageSize + 1;
    if (page > kLastPage)
        return; // the catalogue has no such page
    m_state.loadMore = false;
    m_view.loadMoreChanged(false);
    stop();
    bool frontPage = false;
    if (searchText.isEmpty()) {
        m_state.keyword.clear();
        frontPage = true;
    }
    loadResultPage(page, frontPage);
}

void CatalogueClient::loadResultPage(int page, bool frontPage)
{
    stop();
    const quint64 generation = m_generation;
    m_lastUrl = RequestUrl::build(m_site.base(), page, frontPage, m_state.keyword);
    m_pageNumber = page;
    m_postsListed = 0;
    m_listAtPageStart = int(m_resultList.size());
    m_progressWidth = 0;
    m_view.setProgressWidth(0);
    m_loading = true;
    m_imagesDone = false;
    m_pageClaim = m_pointer.claim(BusyPointer::Shape::ArrowHourglass);
    disconnect(&m_page, &PageLoader::documentComplete, this, nullptr);
    connect(&m_page, &PageLoader::documentComplete, this,
            [this, generation](PageLoader::Outcome outcome) { onDocumentComplete(generation, outcome); });
    m_page.navigate(m_lastUrl);
}

void CatalogueClient::onDocumentComplete(quint64 generation, PageLoader::Outcome outcome)
{
    if (generation != m_generation || !m_loading)
        return;
    if (outcome == PageLoader::Outcome::Loaded)
        m_state.pagesLoaded = m_pageNumber;
    const int before = m_state.resultCount;
    LinkPass::run(m_page.links(), m_records, m_state.resultCount, m_site.base());
    m_postsListed = m_state.resultCount - before;
    m_previousName.clear();
    m_images.start(m_page.images());
}

// An image of the page, in document order: queued to be written to the cache and decoded on a
// worker.
void CatalogueClient::onImage(const QString& address, bool ok, const QByteArray& bytes)
{
    if (!ok || bytes.size() < 2)
        return;
    const QString name = fileNameFromUrl(address);
    if (name == m_previousName)
        return;
    // An unsafe name is skipped like a failed fetch, so it does not count as the previous name.
    if (!ThumbnailCache::isSafeName(name))
        return;
    m_previousName = name;
    m_stored.push_back({name, m_cache.pathOf(name)});
    const ThumbnailCache cache = m_cache;
    m_decodes.push(bytes, m_view.thumbnailBox(), m_view.devicePixelRatio(), [cache, name, bytes] {
        QString error;
        (void)cache.store(name, bytes, &error);
        return error;
    });
    m_images.setPaused(m_decodes.pending() >= kMaxPendingDecodes);
}

// A thumbnail's decode is done, in document order: list it and place its tile. One that could not
// be written to the cache still gets its tile, from memory, so tiles and records stay paired; the
// view is told once per result set.
void CatalogueClient::onDecoded(const ThumbnailImage& thumbnail, const QString& storeError)
{
    if (m_stored.empty())
        return;
    if (!storeError.isEmpty() && !m_cacheFailureSaid) {
        m_cacheFailureSaid = true;
        m_view.thumbnailsNotCached(storeError);
    }
    const StoredThumbnail stored = m_stored.front();
    m_stored.pop_front();
    const size_t index = size_t(m_resultList.size());
    // Surplus thumbnails (more than accepted links) get a record with empty texts.
    if (m_records.size() <= index)
        m_records.resize(index + 1);
    m_records[index].thumbFile = stored.name;
    m_resultList << stored.path;
    m_progressWidth += kProgressStep;
    m_view.setProgressWidth(m_progressWidth);
    m_view.placeNextTile(thumbnail);
    m_state.resultCount = int(m_resultList.size());
    const int n = int(m_resultList.size());
    if (n % kPageSize == 0 && n <= kLastLoadMoreCount) {
        m_state.pageBoundary = true;
        m_state.loadMore = true;
        m_view.loadMoreChanged(true);
        m_pageClaim.release();
    } else {
        m_state.pageBoundary = false;
    }
    m_images.setPaused(m_decodes.pending() >= kMaxPendingDecodes);
    endPageLoadWhenDone();
}

void CatalogueClient::endPageLoadWhenDone()
{
    if (m_imagesDone && m_decodes.pending() == 0)
        endPageLoad();
}

// A full page that stored fewer thumbnails than it listed posts would never reach the next
// multiple of 30: the panel is offered anyway, so the rest of the result set stays reachable.
void CatalogueClient::offerLoadMore()
{
    const int stored = int(m_resultList.size()) - m_listAtPageStart;
    if (m_postsListed >= kPageSize && stored < m_postsListed)
        m_state.thumbnailsMissed = true;
    if (!m_state.thumbnailsMissed || m_postsListed < kPageSize || m_state.loadMore ||
        m_resultList.size() > kLastLoadMoreCount)
        return;
    m_state.loadMore = true;
    m_view.loadMoreChanged(true);
}

void CatalogueClient::reportEmptyLoadMore(const ResultNotice::Page& page)
{
    m_state.loadMore = true;
    m_view.loadMoreChanged(true);
    m_view.showLoadMoreNotice(ResultNotice::forLoadMore(page));
}

void CatalogueClient::endPageLoad()
{
    if (!m_loading)
        return;
    m_loading = false;
    m_progressWidth = 0;
    m_view.setProgressWidth(0);
    m_pageClaim.release();
    m_page.stop();
    m_images.cancel();
    offerLoadMore();
    const ResultNotice::Page page{m_page.outcome(), m_page.httpStatus(), m_postsListed, m_lastUrl};
    if (m_resultList.isEmpty())
        m_view.showNotice(ResultNotice::forEmptyResults(page, m_state.keyword));
    else if (int(m_resultList.size()) == m_listAtPageStart)
        reportEmptyLoadMore(page);
    m_view.pageLoadEnded(false);
}
