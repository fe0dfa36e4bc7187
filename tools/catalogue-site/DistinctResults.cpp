#include "catalogue-site/DistinctResults.h"

#include <algorithm>
#include <future>
#include <thread>

namespace
{
constexpr size_t kCheckedPosts = size_t(DistinctResults::kCheckedPages) * IconCatalogue::kPageSize;
// A few more than a page needs, as some candidates drop out.
constexpr size_t kSpare = 6;

unsigned workerCount()
{
    return std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
}
} // namespace

DistinctResults::DistinctResults(const IconCatalogue& catalogue, ImageStore& images)
    : m_catalogue(catalogue), m_images(images)
{
}

DistinctResults::Page DistinctResults::page(const QString& key, const Candidates& candidates, int page)
{
    const std::shared_ptr<Listing> l = listing(key, candidates);
    std::lock_guard lock(l->mutex);
    const size_t first = size_t(std::max(page - 1, 0)) * IconCatalogue::kPageSize;
    extend(*l, first + IconCatalogue::kPageSize);
    Page p;
    p.total = std::min(int(l->shown.size() + (l->candidates.size() - l->next)), IconCatalogue::kMaxResults);
    for (size_t k = first; k < l->shown.size() && k < first + IconCatalogue::kPageSize; ++k)
        p.posts.push_back(l->shown[k]);
    return p;
}

std::shared_ptr<DistinctResults::Listing> DistinctResults::listing(const QString& key,
                                                                   const Candidates& candidates)
{
    std::lock_guard lock(m_mutex);
    m_recent.remove(key);
    m_recent.push_front(key);
    auto& kept = m_listings[key];
    if (!kept) {
        kept = std::make_shared<Listing>();
        kept->candidates = candidates();
    }
    if (m_recent.size() > size_t(kKeptListings)) {
        m_listings.remove(m_recent.back());
        m_recent.pop_back();
    }
    return kept;
}

void DistinctResults::extend(Listing& l, size_t wanted)
{
    while (l.shown.size() < wanted && l.next < l.candidates.size()) {
        if (l.shown.size() >= kCheckedPosts) {
            l.shown.push_back(l.candidates[l.next++]);
            continue;
        }
        // Render the next few candidates side by side, then check them in order.
        const size_t end = std::min(l.candidates.size(), l.next + wanted - l.shown.size() + kSpare);
        std::vector<const PixelPrint*> prints(end - l.next, nullptr);
        std::vector<std::future<void>> workers;
        const unsigned count = workerCount();
        for (unsigned w = 0; w < count; ++w)
            workers.push_back(std::async(std::launch::async, [&, w] {
                for (size_t k = w; k < prints.size(); k += count)
                    if (m_catalogue.at(l.candidates[l.next + k]).synthetic < 0)
                        prints[k] = m_images.print(l.candidates[l.next + k]);
            }));
        for (auto& worker : workers)
            worker.get();
        for (size_t k = 0; k < prints.size(); ++k, ++l.next) {
            const PixelPrint* print = prints[k];
            const bool hidden = print && (print->isBlank() || std::any_of(l.prints.begin(), l.prints.end(),
                                                                          [&](const PixelPrint* shown) {
                                                                              return shown->sameAs(*print);
                                                                          }));
            if (hidden)
                continue;
            l.shown.push_back(l.candidates[l.next]);
            if (print)
                l.prints.push_back(print);
        }
    }
}
