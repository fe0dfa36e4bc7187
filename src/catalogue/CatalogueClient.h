#pragma once

#include "catalogue/IconRecord.h"
#include "catalogue/ImagePass.h"
#include "catalogue/KeywordList.h"
#include "catalogue/QueryState.h"
#include "catalogue/ThumbnailCache.h"
#include "platform/PageLoader.h"

#include <QObject>
#include <QStringList>

#include <vector>

class ResultView;

// The catalogue side of the main window: the query state, the result set (records and the list
// of cached thumbnail paths), the keyword list, and the page loads that fill them. Every page load
// carries a generation number; a load superseded by a newer one never touches the result set.
class CatalogueClient : public QObject
{
    Q_OBJECT
public:
    static constexpr int kPageSize = 30;
    static constexpr int kLastLoadMoreCount = 780;

    CatalogueClient(ResultView& view, QString cacheFolder, QObject* parent = nullptr);

    // Begins a new result set for the search box text (empty = the front page).
    void StartQuery(const QString& searchText);
    // The category menu's choice: returns the text to put into the search box (the row's slug, or
    // the current keyword for an index outside the table). The caller then runs StartQuery.
    QString chooseCategory(int selectedIndex);
    // Appends the next page of the current query.
    void LoadMoreResults(const QString& searchText);
    void LoadResultPage(int page, bool frontPage);
    // Stops the page load and every transfer.
    void stop();

    [[nodiscard]] const std::vector<IconRecord>& records() const { return m_records; }
    std::vector<IconRecord>& records() { return m_records; }
    [[nodiscard]] const QStringList& resultList() const { return m_resultList; }
    [[nodiscard]] QueryState& state() { return m_state; }
    [[nodiscard]] KeywordList& keywords() { return m_keywords; }
    [[nodiscard]] bool isLoading() const { return m_loading; }
    [[nodiscard]] QString lastRequestUrl() const { return m_lastUrl; }
    void setParallelFetches(int n) { m_images.setParallel(n); }
    void setPageTimeout(int ms) { m_page.setTimeout(ms); }

private:
    void takeLoadMoreAway();
    void onDocumentComplete(quint64 generation, bool ok);
    void onImage(const QString& address, bool ok, const QByteArray& bytes);
    void endPageLoad();

    ResultView& m_view;
    ThumbnailCache m_cache;
    PageLoader m_page;
    ImagePass m_images;
    QueryState m_state;
    KeywordList m_keywords;
    std::vector<IconRecord> m_records;
    QStringList m_resultList;
    QString m_previousName;
    QString m_lastUrl;
    int m_progressWidth = 0;
    quint64 m_generation = 0;
    bool m_loading = false;
    bool m_pageLoaded = false; // the current load's result page arrived
};
