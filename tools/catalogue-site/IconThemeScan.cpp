#include "catalogue-site/IconThemeScan.h"

#include "catalogue-site/ArtworkDedup.h"
#include "catalogue-site/IconNaming.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <array>

namespace
{
constexpr qint64 kMaxIndexBytes = 1024 * 1024;
const QString kDefaultColour = QStringLiteral("blue");
constexpr std::array kOtherColours = {
    "adwaita",    "black", "bluegrey", "breeze", "brown",   "carmine", "cyan",   "darkcyan",
    "deeporange", "green", "grey",     "indigo", "magenta", "nordic",  "orange", "palebrown",
    "paleorange", "pink",  "red",      "teal",   "violet",  "white",   "yaru",   "yellow"};

struct ThemeFolder {
    QString path; // relative to the theme
    int size = 0;
    QString context;
};

// The folders index.theme lists, with their Size and Context.
std::vector<ThemeFolder> readIndex(const QString& themeFolder)
{
    QFile file(themeFolder + "/index.theme");
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxIndexBytes)
        return {};
    QStringList listed;
    QHash<QString, ThemeFolder> sections;
    QString section;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith('[') && line.endsWith(']')) {
            section = line.mid(1, line.size() - 2);
            continue;
        }
        const QString key = line.section('=', 0, 0).trimmed(), value = line.section('=', 1).trimmed();
        if (section == "Icon Theme" && (key == "Directories" || key == "ScaledDirectories"))
            listed << value.split(',', Qt::SkipEmptyParts);
        else if (key == "Size")
            sections[section].size = value.toInt();
        else if (key == "Context")
            sections[section].context = value.toLower();
    }
    std::vector<ThemeFolder> folders;
    for (const QString& path : listed) {
        ThemeFolder f = sections.value(path);
        f.path = path;
        folders.push_back(f);
    }
    return folders;
}

// Whether a folder or user icon name is a recoloured copy; the default colour's copy is not.
bool isOtherColour(const QStringList& words)
{
    if (words.size() < 2 || (words[0] != "folder" && words[0] != "user"))
        return false;
    return std::find(kOtherColours.begin(), kOtherColours.end(), words[1]) != kOtherColours.end();
}

QString plainName(const QString& fileBase)
{
    QStringList words = IconNaming::nameFromFileBase(fileBase).split('-', Qt::SkipEmptyParts);
    if (words.size() > 2 && (words[0] == "folder" || words[0] == "user") && words[1] == kDefaultColour)
        words.removeAt(1);
    return words.join('-');
}

// One icon: its largest file, the names it is known by and its context folders.
struct Icon {
    QString file;
    int size = -1;
    QString realBase;
    QStringList aliases;
    QStringList contexts;
};

bool isIconFile(const QString& name)
{
    return name.endsWith(".svg", Qt::CaseInsensitive) || name.endsWith(".png", Qt::CaseInsensitive);
}
} // namespace

std::vector<IconEntry> IconThemeScan::scan(const QString& themeFolder)
{
    std::vector<Icon> icons;
    QHash<QString, size_t> byKey; // context folder + real file base name
    QSet<QString> seenFolders;
    for (const ThemeFolder& folder : readIndex(themeFolder)) {
        const QString real = QFileInfo(themeFolder + "/" + folder.path).canonicalFilePath();
        if (real.isEmpty() || seenFolders.contains(real))
            continue;
        seenFolders.insert(real);
        const QString contextFolder = real.section('/', -1);
        for (const QFileInfo& info : QDir(real).entryInfoList(QDir::Files, QDir::Name)) {
            if (!isIconFile(info.fileName()))
                continue;
            const QString realFile = info.isSymLink() ? info.canonicalFilePath() : info.filePath();
            if (realFile.isEmpty())
                continue; // a broken link
            const QString realBase = QFileInfo(realFile).completeBaseName();
            if (isOtherColour(IconNaming::nameFromFileBase(realBase).split('-')))
                continue;
            const QString key = contextFolder + '/' + realBase;
            if (!byKey.contains(key)) {
                byKey.insert(key, icons.size());
                icons.push_back(Icon{{}, -1, realBase, {}, {}});
            }
            Icon& icon = icons[byKey.value(key)];
            if (folder.size > icon.size) {
                icon.size = folder.size;
                icon.file = realFile;
            }
            const QString alias = IconNaming::nameFromFileBase(info.completeBaseName());
            if (!icon.aliases.contains(alias))
                icon.aliases << alias;
            for (const QString& context : {contextFolder, folder.context})
                if (!context.isEmpty() && !icon.contexts.contains(context))
                    icon.contexts << context;
        }
    }

    std::vector<IconEntry> entries;
    entries.reserve(icons.size());
    for (const Icon& icon : icons) {
        IconEntry e;
        e.name = plainName(icon.realBase);
        if (e.name.isEmpty())
            continue;
        e.compact = IconNaming::compact(e.name);
        e.file = icon.file;
        for (const QString& alias : icon.aliases)
            ArtworkDedup::addTag(e, ArtworkDedup::nameAsTag(alias));
        for (const QString& context : icon.contexts)
            ArtworkDedup::addTag(e, context);
        entries.push_back(std::move(e));
    }
    return entries;
}
