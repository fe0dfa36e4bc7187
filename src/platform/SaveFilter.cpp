#include "platform/SaveFilter.h"

#include <QRegularExpression>

namespace
{

// The extension of a file name: the text after its last "." unless that is the first character
// (a hidden file's name) or the last.
QString extensionOf(const QString& name)
{
    const qsizetype dot = name.lastIndexOf('.');
    return dot > 0 ? name.mid(dot + 1) : QString();
}

} // namespace

QStringList SaveFilter::suffixes(const QString& entry)
{
    static const QRegularExpression pattern(QStringLiteral("\\*\\.([^\\s;()]+)"));
    const qsizetype open = entry.lastIndexOf('(');
    QStringList result;
    if (open < 0)
        return result;
    for (const auto& match : pattern.globalMatch(entry.mid(open)))
        result << match.captured(1);
    return result;
}

QString SaveFilter::renamed(const QString& name, const QString& entry)
{
    const QStringList wanted = suffixes(entry);
    if (name.isEmpty() || wanted.isEmpty())
        return name;
    const QString extension = extensionOf(name);
    if (!extension.isEmpty() && wanted.contains(extension, Qt::CaseInsensitive))
        return name;
    QString stem = extension.isEmpty() ? name : name.left(name.size() - extension.size() - 1);
    if (stem.endsWith('.'))
        stem.chop(1);
    return stem + '.' + wanted.first();
}

QString SaveFilter::entryFor(const QString& name, const QStringList& entries)
{
    const QString extension = extensionOf(name);
    if (extension.isEmpty())
        return {};
    for (const QString& entry : entries) {
        if (suffixes(entry).contains(extension, Qt::CaseInsensitive))
            return entry;
    }
    return {};
}
