#include "catalogue-site/PageRenderer.h"

#include "catalogue-site/HostileNames.h"
#include "catalogue-site/HtmlText.h"
#include "catalogue-site/IconNaming.h"

#include <QLocale>
#include <QUrl>

#include <array>
#include <utility>

namespace
{
const char* const kPostsMarker = "<!-- posts -->";
// A generic icon can stand for hundreds of names; its post page lists the first ones.
constexpr int kMaxListedTags = 40;

const std::array<std::pair<const char*, const char*>, 6> kNavigation = {{
    {"arrow", "Arrows"},
    {"animal", "Animals"},
    {"business", "Business"},
    {"food", "Food"},
    {"music", "Music"},
    {"computer", "Computers"},
}};

QString esc(const QString& s)
{
    return HtmlText::escape(s);
}

QString encodeKeyword(const QString& keyword)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(keyword));
}
} // namespace

PageRenderer::PageRenderer(QString base, const IconCatalogue& catalogue, FaultSet faults)
    : m_base(std::move(base)), m_catalogue(catalogue), m_faults(std::move(faults))
{
}

QString PageRenderer::postUrl(int index) const
{
    return m_base + m_catalogue.at(index).postPath();
}

QString PageRenderer::thumbUrl(int index) const
{
    const IconEntry& icon = m_catalogue.at(index);
    return m_base + "wp-content/uploads/" + icon.uploadFolder() + icon.thumbName();
}

QString PageRenderer::fullUrl(int index) const
{
    const IconEntry& icon = m_catalogue.at(index);
    return m_base + "wp-content/uploads/" + icon.uploadFolder() + icon.fullName();
}

QString PageRenderer::listingUrl(int page, const std::optional<QString>& keyword) const
{
    const QString pagePart = page > 1 ? "page/" + QString::number(page) + "/" : QString();
    return m_base + pagePart + (keyword ? "?s=" + encodeKeyword(*keyword) : QString());
}

// A link that is not a post: left out when its address (past the root) holds a year, which the
// client would take for a post.
QString PageRenderer::navLink(const QString& relative, const QString& text, const QString& extra) const
{
    if (IconNaming::containsPostYear(relative) && !m_faults.has(Fault::YearLinks))
        return {};
    return "<a href=\"" + esc(m_base + relative) + "\"" + extra + ">" + esc(text) + "</a>";
}

QString PageRenderer::head(const QString& title) const
{
    return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
           "<title>" +
           esc(title) +
           " &#8211; Icon Catalogue</title>\n"
           "<style>body{font-family:sans-serif;margin:0 auto;max-width:1100px}"
           ".post{display:inline-block;width:170px;vertical-align:top;text-align:center}"
           ".entry-title{font-size:14px}</style>\n</head>\n";
}

QString PageRenderer::siteHeader(const QString& keyword) const
{
    QString h = "<header class=\"site-header\">\n<p class=\"site-title\">" + navLink({}, "Icon Catalogue") +
                "</p>\n<nav class=\"main-navigation\" aria-label=\"Categories\">\n<ul>\n<li>" +
                navLink({}, "Newest") + "</li>\n";
    for (const auto& [slug, caption] : kNavigation) {
        const QString link = navLink("?s=" + QString(slug), caption);
        if (!link.isEmpty())
            h += "<li>" + link + "</li>\n";
    }
    h += "</ul>\n</nav>\n<form role=\"search\" method=\"get\" class=\"search-form\" action=\"" + esc(m_base) +
         "\">\n<label>Search for: <input type=\"search\" name=\"s\" value=\"" + esc(keyword) +
         "\"></label>\n<button type=\"submit\">Search</button>\n</form>\n</header>\n";
    return h;
}

// The address of the k-th image: its own thumbnail, or what the page faults put there.
QString PageRenderer::imageAddress(const ResultPageView& view, size_t k) const
{
    const int index = view.posts[k];
    if (FaultSet::hits(int(k))) {
        if (m_faults.has(Fault::DupNames) && k > 0)
            return thumbUrl(view.posts[k - 1]);
        if (m_faults.has(Fault::HostileNames)) {
            const int hit = ((view.page - 1) * IconCatalogue::kPageSize + int(k)) / FaultSet::kPeriod;
            const IconEntry& icon = m_catalogue.at(index);
            return m_base + "wp-content/uploads/" + icon.uploadFolder() + HostileNames::name(icon, hit);
        }
    }
    return thumbUrl(index);
}

QString PageRenderer::post(const ResultPageView& view, size_t k) const
{
    const int index = view.posts[k];
    const IconEntry& icon = m_catalogue.at(index);
    const QString link = esc(postUrl(index));
    const QString img = "<img src=\"" + esc(imageAddress(view, k)) +
                        "\" width=\"150\" height=\"150\" alt=\"" + esc(icon.title()) + "\">";
    QString html;
    if (m_faults.has(Fault::BadMarkup)) {
        // Misnested and unclosed on purpose; an HTML5 parser still finds the links and images.
        html = "<article class=\"post\">\n<div class=\"thumb\"><a class=\"post-thumbnail\" href=\"" + link +
               "\">" + img + "</div></a>\n<h2 class=\"entry-title\"><a href=\"" + link +
               "\" rel=\"bookmark\"><b>" + esc(icon.title()) +
               "</h2></b></a>\n<p class=\"excerpt\">Free <i>icon <b>for you</i></b>\n";
    } else {
        html = "<article class=\"post\">\n<a class=\"post-thumbnail\" href=\"" + link + "\">" + img +
               "</a>\n<h2 class=\"entry-title\"><a href=\"" + link + "\" rel=\"bookmark\">" +
               esc(icon.title()) + "</a></h2>\n";
    }
    if (m_faults.has(Fault::YearLinks) && FaultSet::hits(int(k)))
        html += "<p class=\"entry-meta\">Posted on " +
                navLink(icon.date.toString("yyyy/MM/dd/"), QLocale::c().toString(icon.date, "MMMM d, yyyy")) +
                "</p>\n";
    if (!m_faults.has(Fault::BadMarkup))
        html += "</article>\n";
    return html;
}

QString PageRenderer::pagination(const ResultPageView& view) const
{
    QString html = "<nav class=\"pagination\" aria-label=\"Pages\">\n";
    if (view.page > 1) {
        const QString rel = listingUrl(view.page - 1, view.keyword).mid(m_base.size());
        html += navLink(rel, "\u00ab Newer icons", " class=\"prev\"") + "\n";
    }
    html += "<span class=\"page-number\">Page " + QString::number(view.page) + " of " +
            QString::number(view.lastPage) + "</span>\n";
    if (view.page < view.lastPage) {
        const QString rel = listingUrl(view.page + 1, view.keyword).mid(m_base.size());
        html += navLink(rel, "Older icons \u00bb", " class=\"next\"") + "\n";
    }
    return html + "</nav>\n";
}

// Month archive links: only shown under the year-links fault, as they hold years.
QString PageRenderer::archives() const
{
    QString html = "<aside class=\"widget\">\n<h2>Archives</h2>\n<ul>\n";
    for (int year = IconNaming::kLastYear; year >= IconNaming::kFirstYear; --year)
        html +=
            "<li>" + navLink(QString::number(year) + "/12/", "December " + QString::number(year)) + "</li>\n";
    return html + "</ul>\n</aside>\n";
}

QString PageRenderer::footer() const
{
    return "<footer class=\"site-footer\">\n<p>Free icons for personal and commercial use. " +
           navLink({}, "Icon Catalogue") + "</p>\n</footer>\n";
}

QByteArray PageRenderer::resultPage(const ResultPageView& view) const
{
    const QString keyword = view.keyword.value_or(QString());
    QString heading =
        view.keyword ? "Search results for \u201c" + keyword + "\u201d" : QStringLiteral("Newest icons");
    QString html = head(view.page > 1 ? heading + " \u2013 Page " + QString::number(view.page) : heading);
    html += "<body class=\"blog\">\n" + siteHeader(keyword) +
            "<main id=\"main\">\n<h1 class=\"page-title\">" + esc(heading) + "</h1>\n" + kPostsMarker + "\n";
    for (size_t k = 0; k < view.posts.size(); ++k)
        html += post(view, k);
    if (view.posts.empty())
        html += "<p class=\"no-results\">Nothing matched your search. Try another keyword.</p>\n";
    html += pagination(view);
    if (m_faults.has(Fault::BadMarkup))
        return (html + "<footer><p>Free icons").toUtf8();
    html += "</main>\n";
    if (m_faults.has(Fault::YearLinks))
        html += archives();
    html += footer() + "</body>\n</html>\n";
    return html.toUtf8();
}

QString PageRenderer::tagList(const IconEntry& icon) const
{
    QStringList links;
    for (const QString& tag : icon.tags.mid(0, kMaxListedTags) + icon.related) {
        const QString link = navLink("?s=" + encodeKeyword(QString(tag).remove(' ')), tag, " rel=\"tag\"");
        links << (link.isEmpty() ? esc(tag) : link);
    }
    return links.isEmpty() ? QString() : "<p class=\"tags\">Tags: " + links.join(", ") + "</p>\n";
}

QByteArray PageRenderer::postPage(int index) const
{
    const IconEntry& icon = m_catalogue.at(index);
    const QString full = esc(fullUrl(index));
    const QString licence = icon.source.isEmpty()
                                ? QStringLiteral("free for personal and commercial use; credit to the Icon "
                                                 "Catalogue is appreciated.")
                                : "from " + esc(icon.source) + ".";
    QString html = head(icon.title()) + "<body class=\"single\">\n" + siteHeader({}) +
                   "<main id=\"main\">\n<article class=\"post single\">\n<h1 class=\"entry-title\">" +
                   esc(icon.title()) + "</h1>\n<p class=\"posted-on\">Posted on <time datetime=\"" +
                   icon.date.toString(Qt::ISODate) + "\">" +
                   QLocale::c().toString(icon.date, "MMMM d, yyyy") + "</time></p>\n<figure>\n<a href=\"" +
                   full + "\"><img src=\"" + full + "\" width=\"512\" height=\"512\" alt=\"" +
                   esc(icon.title()) + "\"></a>\n</figure>\n" + tagList(icon) +
                   "<p class=\"licence\">Licence: " + licence + "</p>\n</article>\n</main>\n" + footer() +
                   "</body>\n</html>\n";
    return html.toUtf8();
}

QByteArray PageRenderer::notFoundPage() const
{
    QString html = head("Page not found") + "<body class=\"error404\">\n<main id=\"main\">\n" +
                   "<h1 class=\"page-title\">Oops! That page can\u2019t be found.</h1>\n" +
                   "<p>Nothing was found at this location. " + navLink({}, "Back to the newest icons") +
                   "</p>\n</main>\n</body>\n</html>\n";
    return html.toUtf8();
}

qsizetype PageRenderer::postsOffset(const QByteArray& page)
{
    const qsizetype at = page.indexOf(kPostsMarker);
    return at < 0 ? page.size() / 2 : at;
}
