#pragma once

#include "catalogue-site/IconCatalogue.h"
#include "catalogue-site/ImageStore.h"

#include <QHash>
#include <QString>

#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <vector>

// The posts a listing shows: its candidates in order, less the pictures that are all but empty
// and those that show the same picture as a post before them (PixelPrint). Checking a candidate
// renders its thumbnail, so a listing is checked only as far as a page asks, and only over its
// first kCheckedPages pages; later candidates follow unchecked. Generated icons are never
// checked. Each listing's progress is kept for the next page (the most recent kKeptListings).
class DistinctResults
{
public:
    static constexpr int kCheckedPages = 4;
    static constexpr int kKeptListings = 64;

    DistinctResults(const IconCatalogue& catalogue, ImageStore& images);

    struct Page {
        std::vector<int> posts;
        int total = 0; // the listing's length as far as known, at most kMaxResults
    };
    using Candidates = std::function<std::vector<int>()>;
    // Page `page` (from 1) of the listing named `key`, whose candidates come from `candidates`
    // (called once per listing kept).
    Page page(const QString& key, const Candidates& candidates, int page);

private:
    struct Listing {
        std::mutex mutex;
        std::vector<int> candidates;
        size_t next = 0; // first candidate not yet looked at
        std::vector<int> shown;
        std::vector<const PixelPrint*> prints; // of the checked posts shown
    };
    std::shared_ptr<Listing> listing(const QString& key, const Candidates& candidates);
    void extend(Listing& listing, size_t wanted);

    const IconCatalogue& m_catalogue;
    ImageStore& m_images;
    std::mutex m_mutex;
    QHash<QString, std::shared_ptr<Listing>> m_listings;
    std::list<QString> m_recent; // most recent first
};
