#pragma once

#include "catalogue-site/FaultSet.h"
#include "catalogue-site/IconCatalogue.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

// One result page to draw: which icons, which page of how many, for which search.
struct ResultPageView {
    std::vector<int> posts; // catalogue indices, in post order
    int page = 1;
    int lastPage = 1;
    int total = 0;                  // results of the whole query
    std::optional<QString> keyword; // empty optional: the front page
};

// The site's HTML: result pages as a blog shows them (head, header with navigation and search
// form, one article per icon with its thumbnail link and its title link to the post, pagination,
// footer), post pages (with the icon's tags as search links and its licence) and the not-found
// page. Result pages carry no year in any link except post
// links, unless the year-links fault asks for it; page faults change the markup here.
class PageRenderer
{
public:
    PageRenderer(QString base, const IconCatalogue& catalogue, FaultSet faults);

    [[nodiscard]] QByteArray resultPage(const ResultPageView& view) const;
    [[nodiscard]] QByteArray postPage(int index) const;
    [[nodiscard]] QByteArray notFoundPage() const;

    // Byte offset in a result page where its first post starts (the stall fault sends only
    // what comes before).
    static qsizetype postsOffset(const QByteArray& page);

    [[nodiscard]] QString postUrl(int index) const;
    [[nodiscard]] QString thumbUrl(int index) const;
    [[nodiscard]] QString fullUrl(int index) const;
    [[nodiscard]] QString listingUrl(int page, const std::optional<QString>& keyword) const;

private:
    [[nodiscard]] QString head(const QString& title) const;
    [[nodiscard]] QString siteHeader(const QString& keyword) const;
    [[nodiscard]] QString navLink(const QString& relative, const QString& text,
                                  const QString& extra = {}) const;
    [[nodiscard]] QString post(const ResultPageView& view, size_t k) const;
    [[nodiscard]] QString imageAddress(const ResultPageView& view, size_t k) const;
    [[nodiscard]] QString pagination(const ResultPageView& view) const;
    [[nodiscard]] QString archives() const;
    [[nodiscard]] QString footer() const;
    [[nodiscard]] QString tagList(const IconEntry& icon) const;

    QString m_base;
    const IconCatalogue& m_catalogue;
    FaultSet m_faults;
};
