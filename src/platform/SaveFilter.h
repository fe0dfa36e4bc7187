#pragma once

#include <QString>
#include <QStringList>

// The rules tying a save dialog's file name to its filter entries ("Label (*.a *.b)").
class SaveFilter
{
public:
    // The suffixes of an entry's "*.x" patterns, in order: "JPEG (*.jpg *.jpeg)" gives jpg, jpeg.
    [[nodiscard]] static QStringList suffixes(const QString& entry);
    // The name with its extension made the entry's first suffix, unless it already has one of the
    // entry's suffixes (in any case); a name without an extension gets one. An empty name stays
    // empty, and so does an entry without suffixes change nothing.
    [[nodiscard]] static QString renamed(const QString& name, const QString& entry);
    // The first entry that lists the name's extension (in any case); empty when none does.
    [[nodiscard]] static QString entryFor(const QString& name, const QStringList& entries);
};
