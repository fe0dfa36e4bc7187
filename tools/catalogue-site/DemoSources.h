#pragma once

#include "catalogue-site/IconEntry.h"

#include <QString>
#include <QStringList>

#include <vector>

// The demo catalogue: real icon sets from Debian packages, each drawn in full colour and named,
// with their own keywords where they have them.
//   Papirus icon theme (papirus-icon-theme, GPL-3.0): every context, read through its Light
//     variant, which shares all of Papirus's folders but draws the panel icons dark so they show
//     on light ground.
//   EmojiOne 2 (ruby-gemojione, CC BY-SA 4.0): emoji with names, categories and keywords.
//   Open Clip Art Library (openclipart-svg, public domain): drawings filed in topic folders with
//     keyword metadata.
// Every post is also tagged with the subjects of RelatedWords, artworks found twice become one
// post, and names shared by different artworks get a number ("calendar-2"). The newest posts, which
// the front page lists, are a showcase: full-colour artwork taken from each set in turn.
class DemoSources
{
public:
    struct Source {
        QString title;   // e.g. "Papirus icon theme"
        QString licence; // e.g. "GPL-3.0"
        QString package; // the Debian package that installs it
        QString folder;  // where it is on this machine; empty when not installed
    };
    static std::vector<Source> sources();
    // The installed sources' folders and index files, and the noun files that sort their keywords:
    // what the entries are built from.
    static QStringList inputs();

    // The entries of every installed source (no dates yet); `notes` gets one line per source
    // saying how many icons it gave or that it is missing.
    static std::vector<IconEntry> collect(QStringList* notes = nullptr);
    // Appends "-2", "-3", ... to names whose compact form an earlier entry has.
    static void makeNamesUnique(std::vector<IconEntry>& entries);
    // Dates the showcase (kShowcase posts, one a day back from the last post day) and the other
    // posts on the days before it, each by its name, the same on every run.
    static void assignDates(std::vector<IconEntry>& entries);
    static constexpr int kShowcase = 26 * 30;
};
