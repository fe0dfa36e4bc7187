#include "catalogue/CatalogueClient.h"

#include "catalogue/CategoryTable.h"
#include "catalogue/LinkPass.h"
#include "catalogue/RequestUrl.h"
#include "catalogue/ResultNotice.h"
#include "catalogue/ResultView.h"
#include "platform/ScreenCursor.h"
#include "platform/SiteAddress.h"

namespace
{
constexpr int kProgressStep = 10;
}

CatalogueClient::CatalogueClient(ResultView& view, QString cacheFolder, QObject* parent)
    : QObject(parent), m_view(view), m_cache(std::move(cacheFolder))
{
    connect(&m_images, &ImagePass::imageReady, this,
            [this](int, const QString& address, bool ok, const QByteArray& bytes) {
                onImage(address, ok, bytes);
            });
    connect(&m_images, &ImagePass::finished, this, &CatalogueClient::endPageLoad);
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
    m_page.Stop();
    m_images.cancel();
    if (m_loading) {
        m_loading = false;
        ScreenCursor::set(ScreenCursor::Default);
        m_view.setProgressWidth(0);
        m_view.pageLoadEnded(true);
    }
}

void CatalogueClient::StartQuery(const QString& searchText)
{
    takeLoadMoreAway();
    stop();
    m_view.clearResults();
    m_cache.deletePngs();
    m_resultList.clear();
    m_state.resultCount = 0;
    // A new result set starts on a fresh page: nothing of the old one holds back its tiles.
    m_state.pageBoundary = false;
    m_keywords.record(searchText);
    if (!searchText.isEmpty()) {
        m_state.keyword = RequestUrl::keywordFromSearchText(searchText);
        LoadResultPage(1, false);
    } else {
        m_state.keyword.clear();
        LoadResultPage(1, true);
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

void CatalogueClient::LoadMoreResults(const QString& searchText)
{
    m_state.loadMore = false;
    m_view.loadMoreChanged(false);
    stop();
    bool frontPage = false;
    if (searchText.isEmpty()) {
        m_state.keyword.clear();
        frontPage = true;
    }
    LoadResultPage(int(m_resultList.size()) / kPageSize + 1, frontPage);
}

void CatalogueClient::LoadResultPage(int page, bool frontPage)
{
    stop();
    const quint64 generation = m_generation;
    m_lastUrl = RequestUrl::build(SiteAddress::base(), page, frontPage, m_state.keyword);
    m_progressWidth = 0;
    m_view.setProgressWidth(0);
    m_loading = true;
    m_pageLoaded = false;
    ScreenCursor::set(ScreenCursor::ArrowHourglass);
    disconnect(&m_page, &PageLoader::documentComplete, this, nullptr);
    connect(&m_page, &PageLoader::documentComplete, this,
            [this, generation](bool ok) { onDocumentComplete(generation, ok); });
    m_page.Navigate(m_lastUrl);
}

void CatalogueClient::onDocumentComplete(quint64 generation, bool ok)
{
    if (generation != m_generation || !m_loading)
        return;
    m_pageLoaded = ok;
    LinkPass::run(m_page.links(), m_records, m_state.resultCount, SiteAddress::titleStart());
    m_previousName.clear();
    m_images.start(m_page.images());
}

void CatalogueClient::onImage(const QString& address, bool ok, const QByteArray& bytes)
{
    if (!ok || bytes.size() < 2)
        return;
    const QString name = FileNameFromUrl(address);
    if (name == m_previousName)
        return;
    // An unsafe name is skipped like a failed fetch, so it does not count as the previous name.
    if (!ThumbnailCache::isSafeName(name))
        return;
    const QString path = m_cache.store(name, bytes);
    if (!path.isEmpty()) {
        const size_t index = size_t(m_resultList.size());
        // Surplus thumbnails (more than accepted links) get a record with empty texts.
        if (m_records.size() <= index)
            m_records.resize(index + 1);
        m_records[index].thumbFile = name;
        m_resultList << path;
        m_progressWidth += kProgressStep;
        m_view.setProgressWidth(m_progressWidth);
        m_view.PlaceNextTile();
        m_state.resultCount = int(m_resultList.size());
        const int n = int(m_resultList.size());
        if (n % kPageSize == 0 && n <= kLastLoadMoreCount) {
            m_state.pageBoundary = true;
            m_state.loadMore = true;
            m_view.loadMoreChanged(true);
            ScreenCursor::set(ScreenCursor::Default);
        } else {
            m_state.pageBoundary = false;
        }
    }
    m_previousName = name;
}

void CatalogueClient::endPageLoad()
{
    if (!m_loading)
        return;
    m_loading = false;
    m_progressWidth = 0;
    m_view.setProgressWidth(0);
    ScreenCursor::set(ScreenCursor::Default);
    m_page.Stop();
    m_images.cancel();
    if (m_resultList.isEmpty())
        m_view.showNotice(ResultNotice::forEmptyResults(m_pageLoaded, m_state.keyword));
    m_view.pageLoadEnded(false);
}
