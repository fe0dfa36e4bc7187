#include "catalogue-site/EmojiIndexScan.h"

#include "catalogue-site/ArtworkDedup.h"
#include "catalogue-site/IconNaming.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace
{
constexpr qint64 kMaxIndexBytes = 16 * 1024 * 1024;

// Lowercase words of a keyword, alias or short name (":flag_de:" gives "flag de").
QString asTag(const QString& text)
{
    return ArtworkDedup::nameAsTag(IconNaming::nameFromFileBase(text));
}

bool isToneCopy(const QString& key, const QString& category)
{
    return category == "modifier" || key.contains("_tone");
}
} // namespace

std::vector<IconEntry> EmojiIndexScan::scan(const QString& gemFolder, const NounHierarchy& nouns)
{
    QFile file(gemFolder + "/config/index.json");
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxIndexBytes)
        return {};
    const QJsonObject index = QJsonDocument::fromJson(file.readAll()).object();
    std::vector<IconEntry> entries;
    for (auto it = index.begin(); it != index.end(); ++it) {
        const QJsonObject emoji = it.value().toObject();
        const QString category = emoji.value("category").toString().toLower();
        const QString svg = gemFolder + "/assets/svg/" + emoji.value("unicode").toString() + ".svg";
        if (isToneCopy(it.key(), category) || !QFileInfo::exists(svg))
            continue;
        IconEntry e;
        e.name = IconNaming::nameFromFileBase(emoji.value("name").toString());
        if (category == "flags" && !e.name.startsWith("flag"))
            e.name = IconNaming::nameFromFileBase("flag " + e.name);
        if (e.name.isEmpty())
            continue;
        e.compact = IconNaming::compact(e.name);
        e.file = svg;
        for (const QJsonValue& alias : emoji.value("aliases").toArray())
            ArtworkDedup::addTag(e, asTag(alias.toString()));
        ArtworkDedup::addTag(e, asTag(emoji.value("shortname").toString()));
        ArtworkDedup::addTag(e, category);
        ArtworkDedup::addTag(e, QStringLiteral("emoji"));
        for (const QJsonValue& keyword : emoji.value("keywords").toArray())
            ArtworkDedup::addKeyword(e, asTag(keyword.toString()), nouns);
        entries.push_back(std::move(e));
    }
    return entries;
}
