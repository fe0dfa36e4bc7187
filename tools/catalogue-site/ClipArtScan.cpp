#include "catalogue-site/ClipArtScan.h"

#include "catalogue-site/ArtworkDedup.h"
#include "catalogue-site/IconNaming.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>

namespace
{
// Folders (relative to the root) that hold no icons or only generated series, and drawings that
// Qt SVG draws as an empty square (they rely on features it lacks).
constexpr std::array kLeftOut = {"special/",
                                 "shapes/stars/",
                                 "computer/icons/",
                                 "shapes/arrows/arrowright_fudriot_omic._01.svg",
                                 "electronics/bulb/light_bulb_karl_bartel_01.svg",
                                 "recreation/sports/surfboard_jurgen_01.svg",
                                 "recreation/sports/badminton_racket_brice_b_01.svg",
                                 "recreation/religion/christianity/coat_of_arms_of_anglica_01.svg",
                                 "education/books/diary_costea_bogdan_01.svg",
                                 "unsorted/quit_fabien_omic.ch_01.svg",
                                 "unsorted/break_carlos_katastrofsk_.svg",
                                 "computer/tux_didier_fabert_01.svg",
                                 "signs_and_symbols/teschio_fabio_olivo_01.svg",
                                 "signs_and_symbols/teschio_fabio_olivo_02.svg",
                                 "signs_and_symbols/mpcad_box_40x30x80_celso_01.svg",
                                 "animals/birds/penguin/tux_didier_fabert_01.svg",
                                 "animals/birds/duck_yellow_ii_kurt_cagl_.svg"};
// Metadata words that say nothing about the picture.
constexpr std::array kEmptyWords = {"hash",     "icon",     "icons",        "theme",   "svg",
                                    "clip art", "clipart",  "openclipart",  "appicon", "image",
                                    "media",    "unsorted", "public domain"};

bool leftOut(const QString& relative)
{
    return std::any_of(kLeftOut.begin(), kLeftOut.end(),
                       [&](const char* folder) { return relative.startsWith(QLatin1String(folder)); });
}

// Also numbers and the drawing tool's "hash 0x..." marks.
bool sayNothing(const QString& word)
{
    bool number = false;
    word.toInt(&number);
    return number || word.startsWith("hash ") ||
           std::find(kEmptyWords.begin(), kEmptyWords.end(), word) != kEmptyWords.end();
}

QByteArray head(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(ClipArtScan::kHeadBytes) : QByteArray();
}
} // namespace

QStringList ClipArtScan::keywords(const QByteArray& svgHead)
{
    QStringList words;
    const qsizetype start = svgHead.indexOf("<dc:subject");
    const qsizetype end = svgHead.indexOf("</dc:subject>", start);
    if (start < 0 || end < 0)
        return words;
    const QByteArray subject = svgHead.mid(start, end - start);
    for (qsizetype at = subject.indexOf("<rdf:li>"); at >= 0; at = subject.indexOf("<rdf:li>", at)) {
        at += 8;
        const qsizetype close = subject.indexOf("</rdf:li>", at);
        if (close < 0)
            break;
        const QString word = ArtworkDedup::nameAsTag(
            IconNaming::nameFromFileBase(QString::fromUtf8(subject.mid(at, close - at))));
        if (!word.isEmpty() && !sayNothing(word) && !words.contains(word))
            words << word;
        at = close;
    }
    return words;
}

std::vector<IconEntry> ClipArtScan::scan(const QString& root, const NounHierarchy& nouns)
{
    QStringList files;
    QDirIterator it(root, {"*.svg"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (!leftOut(path.mid(root.size() + 1)))
            files << path;
    }
    files.sort();

    std::vector<IconEntry> entries;
    for (const QString& path : files) {
        IconEntry e;
        e.name = IconNaming::nameFromFileBase(QFileInfo(path).completeBaseName());
        if (e.name.isEmpty())
            continue;
        e.compact = IconNaming::compact(e.name);
        e.file = path;
        for (const QString& word : keywords(head(path)))
            ArtworkDedup::addKeyword(e, word, nouns);
        const QString relative = path.mid(root.size() + 1);
        for (const QString& folder : relative.split('/').mid(0, relative.count('/')))
            ArtworkDedup::addTag(e, ArtworkDedup::nameAsTag(IconNaming::nameFromFileBase(folder)));
        entries.push_back(std::move(e));
    }
    return entries;
}
