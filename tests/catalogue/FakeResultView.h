#pragma once

#include "catalogue/CatalogueClient.h"
#include "catalogue/ResultView.h"

#include <QStringList>

#include <vector>

// Records what a page load asks of the window, and what the result set held at each placement.
class FakeResultView : public ResultView {
public:
    const CatalogueClient* client = nullptr;  // set to check the list at every placement

    int clears = 0;
    int placed = 0;
    std::vector<bool> loadMore;
    std::vector<int> progress;
    std::vector<bool> ended;           // pageLoadEnded(superseded) in order
    std::vector<int> listSizeAtPlace;  // result-list size seen by each PlaceNextTile
    std::vector<int> loadMoreAtCount;  // result-list size when loadMoreChanged(true) came
    QStringList notices;               // showNotice texts in order

    void clearResults() override { ++clears; }
    void PlaceNextTile() override
    {
        ++placed;
        if (client)
            listSizeAtPlace.push_back(int(client->resultList().size()));
    }
    void loadMoreChanged(bool shown) override
    {
        loadMore.push_back(shown);
        if (shown && client)
            loadMoreAtCount.push_back(int(client->resultList().size()));
    }
    void setProgressWidth(int width) override { progress.push_back(width); }
    void pageLoadEnded(bool superseded) override { ended.push_back(superseded); }
    void showNotice(const QString& text) override { notices << text; }

    [[nodiscard]] int completedLoads() const
    {
        int n = 0;
        for (bool superseded : ended)
            n += superseded ? 0 : 1;
        return n;
    }
};
