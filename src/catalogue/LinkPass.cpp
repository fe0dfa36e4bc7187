#include "catalogue/LinkPass.h"

namespace
{
constexpr const char* kPostYears[] = {"2015", "2014", "2013", "2016", "2017"};
}

bool LinkPass::isPostLink(const QString& link)
{
    for (const char* year : kPostYears)
        if (link.contains(QLatin1String(year)))
            return true;
    return false;
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
                   int titleStart)
{
    QString lastAccepted;
    for (const QString& link : links) {
        if (link == lastAccepted || !isPostLink(link))
            continue;
        lastAccepted = link;
        records.resize(size_t(resultCount) + 1);
        IconRecord& record = records[size_t(resultCount)];
        record = IconRecord();
        record.title = titleFromLink(link, titleStart);
        record.postLink = link;
        ++resultCount;
    }
}

QString FileNameFromUrl(const QString& url)
{
    return url.mid(url.lastIndexOf('/') + 1);
}
