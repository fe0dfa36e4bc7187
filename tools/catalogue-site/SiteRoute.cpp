#include "catalogue-site/SiteRoute.h"

#include <QStringDecoder>
#include <QStringList>

#include <optional>

namespace
{
int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Percent-decodes (and for query values turns "+" into a space); nullopt for a broken escape or
// bytes that are not UTF-8.
std::optional<QString> decode(const std::string& text, bool plusIsSpace)
{
    QByteArray bytes;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '%') {
            const int hi = i + 1 < text.size() ? hexValue(text[i + 1]) : -1;
            const int lo = i + 2 < text.size() ? hexValue(text[i + 2]) : -1;
            if (hi < 0 || lo < 0)
                return std::nullopt;
            bytes.append(char(hi * 16 + lo));
            i += 2;
        } else {
            bytes.append(plusIsSpace && c == '+' ? ' ' : c);
        }
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8(bytes);
    if (utf8.hasError())
        return std::nullopt;
    return decoded;
}

bool isDigits(const QString& s, int length)
{
    if (s.size() != length)
        return false;
    for (QChar c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// A page number as the site writes it: decimal, no sign, no leading zero, 1 .. kMaxPage.
int pageNumber(const QString& s)
{
    if (s.isEmpty() || s.size() > 7 || s.startsWith('0') || !isDigits(s, int(s.size())))
        return 0;
    const int n = s.toInt();
    return n <= SiteRoute::kMaxPage ? n : 0;
}

SiteRoute notFound()
{
    return {};
}

SiteRoute badRequest()
{
    SiteRoute r;
    r.kind = SiteRoute::Kind::BadRequest;
    return r;
}

// The "s" value of a query string, when present.
std::optional<std::optional<QString>> searchValue(const std::string& query)
{
    size_t start = 0;
    while (start <= query.size()) {
        const size_t end = std::min(query.find('&', start), query.size());
        const std::string pair = query.substr(start, end - start);
        const size_t eq = pair.find('=');
        const std::string key = pair.substr(0, eq);
        if (key == "s")
            return decode(eq == std::string::npos ? std::string() : pair.substr(eq + 1), true);
        start = end + 1;
    }
    return std::nullopt;
}

SiteRoute listing(int page, const std::string& query)
{
    SiteRoute r;
    if (page == 0)
        return notFound();
    r.page = page;
    const auto s = searchValue(query);
    if (!s) {
        r.kind = SiteRoute::Kind::Front;
        return r;
    }
    if (!*s)
        return badRequest();
    r.kind = SiteRoute::Kind::Search;
    r.keyword = **s;
    return r;
}
} // namespace

SiteRoute SiteRoute::parse(const std::string& target)
{
    if (target.empty() || target.size() > kMaxTarget || target[0] != '/')
        return badRequest();
    const size_t q = target.find('?');
    const std::string rawPath = target.substr(0, q);
    const std::string query = q == std::string::npos ? std::string() : target.substr(q + 1);

    // Decode segment by segment so an encoded "/" stays inside its segment.
    QStringList segments;
    size_t start = 1;
    while (start <= rawPath.size()) {
        const size_t end = std::min(rawPath.find('/', start), rawPath.size());
        const auto segment = decode(rawPath.substr(start, end - start), false);
        if (!segment)
            return badRequest();
        segments << *segment;
        start = end + 1;
    }
    if (!segments.isEmpty() && segments.last().isEmpty())
        segments.removeLast(); // a closing "/"
    if (!query.empty() && query.find('%') != std::string::npos && !decode(query, true))
        return badRequest();

    if (segments.isEmpty())
        return listing(1, query);
    if (segments.size() == 2 && segments[0] == "page")
        return listing(pageNumber(segments[1]), query);
    if (segments.size() == 4 && isDigits(segments[0], 4) && isDigits(segments[1], 2) &&
        isDigits(segments[2], 2) && !segments[3].isEmpty()) {
        SiteRoute r;
        r.kind = Kind::Post;
        r.datePath = segments[0] + '/' + segments[1] + '/' + segments[2] + '/';
        r.name = segments[3];
        return r;
    }
    if (segments.size() == 5 && segments[0] == "wp-content" && segments[1] == "uploads" &&
        isDigits(segments[2], 4) && isDigits(segments[3], 2) && !segments[4].isEmpty()) {
        SiteRoute r;
        r.kind = segments[4].endsWith("-150x150.png") ? Kind::Thumbnail : Kind::FullSize;
        r.datePath = segments[2] + '/' + segments[3] + '/';
        r.name = segments[4];
        return r;
    }
    return notFound();
}
