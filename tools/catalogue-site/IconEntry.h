#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// One icon of the catalogue: its name (lowercase words joined by "-"), its tags, its post date and
// where its picture comes from. The addresses and file names of its post and images derive from
// these.
struct IconEntry {
    QString name;        // e.g. "arrow-left"
    QString compact;     // the name without separators, e.g. "arrowleft"; unique in a catalogue
    QDate date;          // post and upload date, 2013 to 2017
    QString file;        // SVG or PNG source; empty for a synthetic icon
    int synthetic = -1;  // index in the synthetic set, or -1
    QStringList tags;    // searchable words or phrases besides the name: lowercase, words split by " "
    QStringList aliases; // weaker ones: other names a theme gives the icon, its contexts
    // Keywords for what goes with the icon rather than what it shows ("cheese" on a moon); the
    // weakest of all.
    QStringList associations;
    QStringList related; // subjects its name and tags relate to (RelatedWords), searchable too
    QString source;      // the artwork's origin and licence, shown on the post page; may be empty
    // How well the picture serves a search, best first: full-colour artwork, a small colour icon,
    // a symbolic glyph.
    enum Style { Artwork, SmallIcon, Glyph };
    int style = Artwork;

    // "YYYY/MM/", the upload folder of its images.
    [[nodiscard]] QString uploadFolder() const { return date.toString("yyyy/MM/"); }
    // YYYYMM + compact name + "-150x150.png".
    [[nodiscard]] QString thumbName() const { return date.toString("yyyyMM") + compact + "-150x150.png"; }
    // The thumbnail name without its size suffix.
    [[nodiscard]] QString fullName() const { return date.toString("yyyyMM") + compact + ".png"; }
    // "YYYY/MM/DD/" + name + "/", relative to the site's root.
    [[nodiscard]] QString postPath() const { return date.toString("yyyy/MM/dd/") + name + "/"; }
    // The name as a heading: words separated by spaces, the first capitalised.
    [[nodiscard]] QString title() const
    {
        QString t = name;
        t.replace('-', ' ');
        if (!t.isEmpty())
            t[0] = t[0].toUpper();
        return t;
    }
};
