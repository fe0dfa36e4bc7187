#include "catalogue/LinkPass.h"

namespace
{
constexpr const char* kPostYears[] = {"2015", "2014", "2013", "2016", "2017"};

// Where a link's path starts: after the base when the link lies under it, else after its scheme
// and host ("http://host:port/"), else at the start.
qsizetype pathStart(const QString& link, const QString& base)
{
    if (!base.isEmpty() && link.startsWith(base))
        return base.size();
    const qsizetype scheme = link.indexOf(QLatin1String("://"));
    if (scheme < 0)
        return 0;
    const qsizetype slash = link.indexOf('/', scheme + 3);
    return slash < 0 ? link.size() : slash + 1;
}

// End of the path segment starting at `from`: the next "/", "?" or "#", or the end of the link.
qsizetype segmentEnd(const QString& link, qsizetype from)
{
    qsizetype end = from;
    while (end < link.size() && link[end] != '/' && link[end] != '?' && link[end] != '#')
        ++end;
    return end;
}

bool isDigits(const QString& link, qsizetype from, qsizetype end, qsizetype minLength, qsizetype maxLength)
{
    if (end - from < minLength || end - from > maxLength)
        return false;
    for (qsizetype i = from; i < end; ++i)
        if (link[i] < '0' || link[i] > '9')
            return false;
    return true;
}

// Past the segment ending at `end`, including its "/" when it has one.
qsizetype nextSegment(const QString& link, qsizetype end)
{
    return end < link.size() && link[end] == '/' ? end + 1 : end;
}

struct DatePath {
    bool found = false;
    qsizetype nameStart = 0; // 0-based index in the link where the name starts
};

// Finds the first year segment of the path and the month and day segments after it.
DatePath findDateSegments(const QString& link, const QString& base)
{
    DatePath date;
    date.nameStart = pathStart(link, base);
    qsizetype at = date.nameStart;
    while (at < link.size() && link[at] != '?' && link[at] != '#') {
        const qsizetype end = segmentEnd(link, at);
        if (isDigits(link, at, end, 4, 4)) {
            date.found = true;
            at = nextSegment(link, end);
            for (int part = 0; part < 2 && at < link.size(); ++part) {
                const qsizetype partEnd = segmentEnd(link, at);
                if (!isDigits(link, at, partEnd, 1, 2))
                    break;
                at = nextSegment(link, partEnd);
            }
            date.nameStart = at;
            return date;
        }
        if (end == at && (end >= link.size() || link[end] != '/'))
            break;
        at = nextSegment(link, end);
    }
    return date;
}
} // namespace

bool LinkPass::isPostLink(const QString& link)
{
    for (const char* year : kPostYears)
        if (link.contains(QLatin1String(year)))
            return true;
    return false;
}

bool LinkPass::isDateArchive(const QString& link, const QString& base)
{
    const DatePath date = findDateSegments(link, base);
    if (!date.found)
        return false;
    qsizetype at = date.nameStart;
    qsizetype end = segmentEnd(link, at);
    if (link.mid(at, end - at) == QLatin1String("page")) {
        at = nextSegment(link, end);
        end = segmentEnd(link, at);
        if (!isDigits(link, at, end, 1, 9))
            return false;
        at = nextSegment(link, end);
    }
    return at >= link.size() || link[at] == '?' || link[at] == '#';
}

int LinkPass::titleStart(const QString& link, const QString& base)
{
    return int(findDateSegments(link, base).nameStart) + 1;
}

QString LinkPass::titleFromLink(const QString& link, int titleStart)
{
    const qsizetype lastSlash = link.lastIndexOf('/') + 1; // 1-based, 0 when none
    const qsizetype length = std::max<qsizetype>(lastSlash - 1, 0);
    QString title = titleStart - 1 < link.size() ? link.mid(titleStart - 1, length) : QString();
    title.replace('-', ", ");
    title.remove('/');
    return title;
}

void LinkPass::run(const QStringList& links, std::vector<IconRecord>& records, int& resultCount,
                   const QString& base)
{
    QString lastAccepted;
    for (const QString& link : links) {
        if (link == lastAccepted || !isPostLink(link) || isDateArchive(link, base))
            continue;
        lastAccepted = link;
        records.resize(size_t(resultCount) + 1);
        IconRecord& record = records[size_t(resultCount)];
        record = IconRecord();
        record.title = titleFromLink(link, titleStart(link, base));
        record.postLink = link;
        ++resultCount;
    }
}

QString fileNameFromUrl(const QString& url)
{
    return url.mid(url.lastIndexOf('/') + 1);
}
