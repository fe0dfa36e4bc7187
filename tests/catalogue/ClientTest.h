#pragma once

#include "catalogue/CatalogueClient.h"
#include "catalogue/ResultView.h"
#include "platform/AppPaths.h"
#include "platform/BusyPointer.h"
#include "platform/SiteAddress.h"
#include "support/WaitFor.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

constexpr int kBoundMs = 30000;

// Records what a page load asks of the window, and what the result set held at each placement.
class FakeResultView : public ResultView
{
public:
    const CatalogueClient* client = nullptr; // set to see the list size at placements and Load More
    int clears = 0, placed = 0;
    // loadMoreChanged and pageLoadEnded(superseded) arguments, progress widths, in order
    std::vector<bool> loadMore, ended;
    // result-list size at each placeNextTile and at each loadMoreChanged(true)
    std::vector<int> progress, listSizeAtPlace, loadMoreAtCount;
    QStringList notices, loadMoreNotices;

    int listSize() const { return client ? int(client->resultList().size()) : -1; }
    void clearResults() override { ++clears; }
    std::vector<ThumbnailImage> thumbnails; // as placed
    void placeNextTile(const ThumbnailImage& thumbnail) override
    {
        ++placed;
        listSizeAtPlace.push_back(listSize());
        thumbnails.push_back(thumbnail);
    }
    void loadMoreChanged(bool shown) override
    {
        loadMore.push_back(shown);
        if (shown)
            loadMoreAtCount.push_back(listSize());
    }
    void setProgressWidth(int width) override { progress.push_back(width); }
    void pageLoadEnded(bool superseded) override { ended.push_back(superseded); }
    void showNotice(const QString& text) override { notices << text; }
    void showLoadMoreNotice(const QString& text) override { loadMoreNotices << text; }
    QStringList notCached; // thumbnailsNotCached reasons
    void thumbnailsNotCached(const QString& reason) override { notCached << reason; }
    int completedLoads() const { return int(std::count(ended.begin(), ended.end(), false)); }
};

// A client and its view over a fresh application folder with an empty Icons/ folder.
class ClientTest : public ::testing::Test
{
protected:
    void TearDown() override { client.reset(); }
    void startClient(const QString& base)
    {
        client.reset();
        view = FakeResultView();
        ASSERT_TRUE(address.setBase(base));
        root = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(QDir(root->path()).mkdir("Icons"));
        client = std::make_unique<CatalogueClient>(view, pointer, address, icons());
        view.client = client.get();
    }
    void waitForLoads(int loads) { WAIT_EQ(view.completedLoads(), loads, kBoundMs); }
    // The thumbnails in the cache folder (its tag aside).
    QStringList cached() const
    {
        QStringList files = QDir(client->cache().folder()).entryList(QDir::Files | QDir::Hidden);
        files.removeOne(ThumbnailCache::kTagName);
        return files;
    }
    const IconRecord& record(int i) const { return client->records().at(size_t(i)); }
    // The thumbnail cache folder of the application folder.
    QString icons() const { return root->path() + "/Icons"; }

    std::unique_ptr<QTemporaryDir> root;
    SiteAddress address;
    BusyPointer pointer;
    FakeResultView view;
    std::unique_ptr<CatalogueClient> client;
};
