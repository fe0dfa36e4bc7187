#pragma once

#include "catalogue-site/IconEntry.h"
#include "catalogue-site/NounHierarchy.h"

#include <QString>

#include <vector>

// Reads the Open Clip Art Library's SVG tree: one entry per drawing, named after its file, tagged
// with the keywords of its metadata (dc:subject) and the words of its folders ("animals",
// "mammals"). Left out: the folders of generated series and of non-icons (gradients, patterns,
// 1,400 computed star polygons, the old desktop icon themes) and 14 drawings Qt cannot draw.
class ClipArtScan
{
public:
    // Entries with name, compact name, file, tags (the folders and the keywords that `nouns` find
    // describe the drawing) and associations (the other keywords); no date, no source.
    static std::vector<IconEntry> scan(const QString& root, const NounHierarchy& nouns = {});
    // The keywords in an SVG's metadata (<dc:subject> ... <rdf:li>word</rdf:li> ...), lowercase.
    static QStringList keywords(const QByteArray& svgHead);

    // Only this much of each file is read for its metadata.
    static constexpr qint64 kHeadBytes = 64 * 1024;
};
