#include "catalogue-site/DemoSources.h"

#include "catalogue-site/ArtworkDedup.h"
#include "catalogue-site/ClipArtScan.h"
#include "catalogue-site/EmojiIndexScan.h"
#include "catalogue-site/IconNaming.h"
#include "catalogue-site/IconThemeScan.h"
#include "catalogue-site/NounHierarchy.h"
#include "catalogue-site/RelatedWords.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <functional>
#include <future>

namespace
{
const QString kGems = QStringLiteral("/usr/share/rubygems-integration/all/gems");

QString firstExisting(const QStringList& candidates)
{
    for (const QString& path : candidates)
        if (QFileInfo(path).isDir())
            return path;
    return {};
}

// The newest installed gemojione gem.
QString gemojioneFolder()
{
    QStringList gems = QDir(kGems).entryList({"gemojione-*"}, QDir::Dirs);
    QCollator numeric;
    numeric.setNumericMode(true);
    std::sort(gems.begin(), gems.end(), numeric);
    for (auto it = gems.crbegin(); it != gems.crend(); ++it)
        if (QFileInfo::exists(kGems + "/" + *it + "/config/index.json"))
            return kGems + "/" + *it;
    return {};
}

using Scan = std::function<std::vector<IconEntry>(const QString&)>;
} // namespace

std::vector<DemoSources::Source> DemoSources::sources()
{
    return {
        {"Papirus icon theme", "GPL-3.0", "papirus-icon-theme",
         firstExisting({"/usr/share/icons/Papirus-Light", "/usr/share/icons/Papirus"})},
        {"EmojiOne 2", "CC BY-SA 4.0", "ruby-gemojione", gemojioneFolder()},
        {"Open Clip Art Library", "public domain", "openclipart-svg",
         firstExisting({"/usr/share/openclipart/svg"})},
    };
}

QStringList DemoSources::inputs()
{
    QStringList folders;
    for (const Source& source : sources())
        if (!source.folder.isEmpty())
            folders << source.folder;
    // The index files are gathered apart: appending to the list being walked would move it.
    QStringList paths = folders;
    for (const QString& folder : folders)
        for (const char* index : {"/index.theme", "/config/index.json"})
            if (QFileInfo::exists(folder + index))
                paths << folder + index;
    return paths + NounHierarchy::files(NounHierarchy::defaultFolder());
}

std::vector<IconEntry> DemoSources::collect(QStringList* notes)
{
    const std::vector<Source> all = sources();
    // The emoji's and the drawings' keywords are sorted by what their names' nouns are kinds of, and
    // the nouns tell an application's name from a thing's.
    const NounHierarchy nouns = NounHierarchy::load(NounHierarchy::defaultFolder());
    const std::vector<Scan> scans = {
        [&](const QString& folder) { return IconThemeScan::scan(folder, nouns); },
        [&](const QString& folder) { return EmojiIndexScan::scan(folder, nouns); },
        [&](const QString& folder) { return ClipArtScan::scan(folder, nouns); }};
    // The sources are read side by side; each is mostly waiting for the disk.
    std::vector<std::future<std::vector<IconEntry>>> reading;
    for (size_t i = 0; i < all.size(); ++i)
        reading.push_back(std::async(std::launch::async, [&, i] {
            std::vector<IconEntry> found;
            if (!all[i].folder.isEmpty())
                found = ArtworkDedup::collapse(scans[i](all[i].folder));
            for (IconEntry& e : found) {
                e.source = all[i].title + " (" + all[i].licence + ")";
                RelatedWords::tag(e);
            }
            return found;
        }));
    std::vector<IconEntry> entries;
    for (size_t i = 0; i < all.size(); ++i) {
        std::vector<IconEntry> found = reading[i].get();
        if (notes)
            *notes << (all[i].folder.isEmpty() ? QStringLiteral("%1: not installed (Debian package %2)")
                                                     .arg(all[i].title, all[i].package)
                                               : QStringLiteral("%1: %2 icons from %3")
                                                     .arg(all[i].title)
                                                     .arg(found.size())
                                                     .arg(all[i].folder));
        std::move(found.begin(), found.end(), std::back_inserter(entries));
    }
    makeNamesUnique(entries);
    assignDates(entries);
    return entries;
}

void DemoSources::makeNamesUnique(std::vector<IconEntry>& entries)
{
    QSet<QString> taken;
    for (IconEntry& e : entries) {
        const QString base = e.name;
        for (int n = 2; taken.contains(e.compact); ++n) {
            e.name = base + "-" + QString::number(n);
            e.compact = IconNaming::compact(e.name);
        }
        taken.insert(e.compact);
    }
}

namespace
{
// Showcase material: full-colour artwork; of the theme, its devices, places and file types
// rather than application logos.
bool showcased(const IconEntry& e)
{
    if (e.style != IconEntry::Artwork)
        return false;
    return e.source.startsWith(DemoSources::sources().front().title) ? !e.aliases.contains("apps") : true;
}
} // namespace

void DemoSources::assignDates(std::vector<IconEntry>& entries)
{
    // Each set's candidates in an order that looks random but is the same on every run.
    QHash<QString, std::vector<IconEntry*>> bySource;
    QStringList order;
    for (IconEntry& e : entries) {
        if (!showcased(e))
            continue;
        if (!bySource.contains(e.source))
            order << e.source;
        bySource[e.source].push_back(&e);
    }
    for (auto& set : bySource)
        std::sort(set.begin(), set.end(), [](const IconEntry* a, const IconEntry* b) {
            return IconNaming::stableHash(a->compact) < IconNaming::stableHash(b->compact);
        });
    const QDate last(IconNaming::kLastYear, 12, 31);
    int day = 0;
    for (size_t round = 0; day < kShowcase; ++round) {
        bool any = false;
        for (const QString& source : order) {
            const std::vector<IconEntry*>& set = bySource[source];
            if (round < set.size() && day < kShowcase) {
                set[round]->date = last.addDays(-day++);
                any = true;
            }
        }
        if (!any)
            break;
    }
    const QDate first(IconNaming::kFirstYear, 1, 1);
    const qint64 olderDays = first.daysTo(last) - day + 1;
    for (IconEntry& e : entries)
        if (!e.date.isValid())
            e.date = first.addDays(qint64(IconNaming::stableHash(e.name) % quint32(olderDays)));
}
