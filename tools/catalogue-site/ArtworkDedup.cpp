#include "catalogue-site/ArtworkDedup.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace
{
constexpr qint64 kMaxCompared = 16 * 1024 * 1024;

// SVG metadata (titles, keywords, authors) says nothing about the drawing: the same drawing filed
// twice with other keywords is the same artwork.
QByteArray withoutMetadata(QByteArray svg)
{
    for (qsizetype start = svg.indexOf("<metadata"); start >= 0; start = svg.indexOf("<metadata", start)) {
        const qsizetype end = svg.indexOf("</metadata>", start);
        if (end < 0)
            break;
        svg.remove(start, end + 11 - start);
    }
    return svg;
}

QByteArray digestOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxCompared)
        return {};
    QByteArray bytes = file.readAll();
    if (path.endsWith(".svg", Qt::CaseInsensitive))
        bytes = withoutMetadata(std::move(bytes));
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1);
}

void mergeInto(IconEntry& kept, const IconEntry& other)
{
    ArtworkDedup::addTag(kept, ArtworkDedup::nameAsTag(other.name));
    for (const QString& tag : other.tags)
        ArtworkDedup::addTag(kept, tag);
    for (const QString& alias : other.aliases)
        if (!kept.aliases.contains(alias))
            kept.aliases << alias;
    for (const QString& association : other.associations)
        if (!kept.associations.contains(association) && !kept.tags.contains(association))
            kept.associations << association;
}

// Keeps the first entry of each key; entries with an empty key are kept as they are.
std::vector<IconEntry> collapseBy(std::vector<IconEntry> entries, const std::vector<QByteArray>& keys)
{
    std::vector<IconEntry> kept;
    QHash<QByteArray, size_t> first;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (!keys[i].isEmpty()) {
            const auto it = first.constFind(keys[i]);
            if (it != first.cend()) {
                mergeInto(kept[*it], entries[i]);
                continue;
            }
            first.insert(keys[i], kept.size());
        }
        kept.push_back(std::move(entries[i]));
    }
    return kept;
}
} // namespace

void ArtworkDedup::addTag(IconEntry& entry, const QString& tag)
{
    if (!tag.isEmpty() && tag != nameAsTag(entry.name) && !entry.tags.contains(tag))
        entry.tags << tag;
}

void ArtworkDedup::addKeyword(IconEntry& entry, const QString& keyword, const NounHierarchy& nouns)
{
    if (keyword.isEmpty() || entry.tags.contains(keyword) || entry.associations.contains(keyword))
        return;
    if (nouns.describes(entry.name.split('-'), keyword))
        addTag(entry, keyword);
    else
        entry.associations << keyword;
}

QString ArtworkDedup::nameAsTag(const QString& name)
{
    return QString(name).replace('-', ' ');
}

std::vector<IconEntry> ArtworkDedup::collapse(std::vector<IconEntry> entries)
{
    std::vector<QByteArray> paths;
    paths.reserve(entries.size());
    for (const IconEntry& e : entries)
        paths.push_back(e.file.isEmpty() ? QByteArray() : QFileInfo(e.file).canonicalFilePath().toUtf8());
    entries = collapseBy(std::move(entries), paths);
    std::vector<QByteArray> digests;
    digests.reserve(entries.size());
    for (const IconEntry& e : entries)
        digests.push_back(e.file.isEmpty() ? QByteArray() : digestOf(e.file));
    return collapseBy(std::move(entries), digests);
}
