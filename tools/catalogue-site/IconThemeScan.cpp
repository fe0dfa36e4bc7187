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

#include <dirent.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>

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

// Names ("context/name") that stand for the same icon: a link and its target, and the same name
// in folders of other sizes, where it may be a file of its own or a link to another name.
class NameGroups
{
public:
    int join(const QString& a, const QString& b)
    {
        const int root = find(id(a)), other = find(id(b));
        if (root != other)
            m_parent[size_t(other)] = root;
        return root;
    }
    int groupOf(const QString& name) { return find(id(name)); }

private:
    int id(const QString& name)
    {
        const auto it = m_ids.constFind(name);
        if (it != m_ids.cend())
            return *it;
        m_parent.push_back(int(m_parent.size()));
        return m_ids[name] = int(m_parent.size()) - 1;
    }
    int find(int i)
    {
        while (m_parent[size_t(i)] != i)
            i = m_parent[size_t(i)] = m_parent[size_t(m_parent[size_t(i)])];
        return i;
    }
    QHash<QString, int> m_ids;
    std::vector<int> m_parent;
};

// One file name as a theme folder lists it.
struct Listed {
    QString contextFolder, context, alias, realBase, realFile;
    int size = 0;
};

bool isIconFile(const QString& name)
{
    return name.endsWith(".svg", Qt::CaseInsensitive) || name.endsWith(".png", Qt::CaseInsensitive);
}

// The icon files of a folder with the files they are (links resolved; broken links left out), in
// name order. Plain directory reading: a theme lists some 100,000 names, most of them links.
std::vector<std::pair<QString, QString>> iconFiles(const QString& folder)
{
    std::vector<std::pair<QString, QString>> files;
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return files;
    while (const dirent* entry = ::readdir(dir)) {
        const QString name = QFile::decodeName(entry->d_name);
        if (!isIconFile(name) ||
            (entry->d_type != DT_REG && entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN))
            continue;
        const QString path = folder + '/' + name;
        if (entry->d_type == DT_REG) {
            files.emplace_back(name, path);
            continue;
        }
        char resolved[PATH_MAX];
        struct stat info {
        };
        if (::realpath(QFile::encodeName(path).constData(), resolved) && ::stat(resolved, &info) == 0 &&
            S_ISREG(info.st_mode))
            files.emplace_back(name, QFile::decodeName(resolved));
    }
    ::closedir(dir);
    std::sort(files.begin(), files.end());
    return files;
}
// Keyboard layout indicators show two letters, not a picture of anything.
bool isLettersOnly(const QString& name)
{
    return name.startsWith("indicator-keyboard-");
}

// A file type's name ("application-vnd-sun-xml-writer"): its words name formats and vendors, not
// what the icon shows.
bool isMimeName(const QString& name)
{
    static const QStringList kTopLevel = {"application", "text",    "image",   "audio", "video",
                                          "inode",       "model",   "message", "font",  "multipart",
                                          "chemical",    "unknown", "x"};
    return kTopLevel.contains(name.section('-', 0, 0));
}

void addAlias(IconEntry& entry, const QString& alias)
{
    if (!alias.isEmpty() && alias != ArtworkDedup::nameAsTag(entry.name) && !entry.aliases.contains(alias))
        entry.aliases << alias;
}

// Large theme icons are full-colour drawings; small ones, symbolic and panel icons are glyphs.
int styleOf(const QString& name, int size)
{
    if (name.endsWith("-symbolic") || name.endsWith("-panel") || size < 32)
        return IconEntry::Glyph;
    return size < 48 ? IconEntry::SmallIcon : IconEntry::Artwork;
}

// Gives the tray and status icons of the theme's applications ("knemo-monitor-idle",
// "qomp-play-panel") the applications' context: they are brands. An application named after a thing
// ("weather") shares its name with the theme's own status icons, and with no nouns to tell, none is marked.
void markTrayIcons(std::vector<IconEntry>& entries, const NounHierarchy& nouns)
{
    if (nouns.isEmpty())
        return;
    // Every name an application's icon goes by, its own and those of the links to it ("knemo"),
    // that does not begin with a thing ("user-trash").
    QSet<QString> applications;
    for (const IconEntry& e : entries)
        if (e.aliases.contains(QStringLiteral("apps")))
            for (const QString& name : e.aliases + QStringList{ArtworkDedup::nameAsTag(e.name)})
                if (!nouns.knows(name.section(' ', 0, 0)))
                    applications.insert(QString(name).replace(' ', '-'));
    for (IconEntry& e : entries) {
        if (e.aliases.contains(QStringLiteral("apps")))
            continue;
        for (qsizetype dash = e.name.indexOf('-'); dash > 0; dash = e.name.indexOf('-', dash + 1))
            if (applications.contains(e.name.left(dash))) {
                addAlias(e, QStringLiteral("apps"));
                break;
            }
    }
}
} // namespace

std::vector<IconEntry> IconThemeScan::scan(const QString& themeFolder, const NounHierarchy& nouns)
{
    std::vector<Listed> listed;
    NameGroups groups;
    QSet<QString> seenFolders;
    for (const ThemeFolder& folder : readIndex(themeFolder)) {
        const QString real = QFileInfo(themeFolder + "/" + folder.path).canonicalFilePath();
        if (real.isEmpty() || seenFolders.contains(real))
            continue;
        seenFolders.insert(real);
        const QString contextFolder = real.section('/', -1);
        for (auto& [name, realFile] : iconFiles(real)) {
            Listed l{contextFolder, folder.context, name.left(name.lastIndexOf('.')), {},
                     realFile,      folder.size};
            const QString realName = realFile.section('/', -1);
            l.realBase = realName.left(realName.lastIndexOf('.'));
            if (isOtherColour(IconNaming::nameFromFileBase(l.realBase).split('-')))
                continue;
            groups.join(contextFolder + '/' + l.realBase, contextFolder + '/' + l.alias);
            listed.push_back(std::move(l));
        }
    }

    std::vector<Icon> icons;
    QHash<int, size_t> byGroup;
    for (const Listed& l : listed) {
        const int group = groups.groupOf(l.contextFolder + '/' + l.realBase);
        if (!byGroup.contains(group)) {
            byGroup.insert(group, icons.size());
            icons.push_back({});
        }
        Icon& icon = icons[byGroup.value(group)];
        if (l.size > icon.size) {
            icon.size = l.size;
            icon.file = l.realFile;
            icon.realBase = l.realBase;
        }
        const QString alias = IconNaming::nameFromFileBase(l.alias);
        if (!icon.aliases.contains(alias))
            icon.aliases << alias;
        for (const QString& context : {l.contextFolder, l.context})
            if (!context.isEmpty() && !icon.contexts.contains(context))
                icon.contexts << context;
    }

    std::vector<IconEntry> entries;
    entries.reserve(icons.size());
    for (const Icon& icon : icons) {
        IconEntry e;
        e.name = plainName(icon.realBase);
        if (e.name.isEmpty() || isLettersOnly(e.name))
            continue;
        e.compact = IconNaming::compact(e.name);
        e.file = icon.file;
        for (const QString& alias : icon.aliases)
            if (!isMimeName(alias))
                addAlias(e, ArtworkDedup::nameAsTag(alias));
        for (const QString& context : icon.contexts)
            addAlias(e, context);
        e.style = styleOf(e.name, icon.size);
        entries.push_back(std::move(e));
    }
    markTrayIcons(entries, nouns);
    return entries;
}
