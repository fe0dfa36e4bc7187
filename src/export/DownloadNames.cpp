#include "export/DownloadNames.h"

#include <QRegularExpression>
#include <QStringList>
#include <QUrl>

DownloadNames DownloadNames::derive(const QString& thumbName)
{
    DownloadNames names;
    names.year = thumbName.left(4);
    names.month = thumbName.mid(4, 2);
    names.fullFileName = thumbName;
    // The size suffix is the last "-WIDTHxHEIGHT" right before the extension; the name before
    // it may hold "-" of its own ("folder-backup-150x150.png", "home-1-150x150.png").
    static const QRegularExpression sizeSuffix(QStringLiteral("-[0-9]+x[0-9]+(?=(\\.[^.]*)?\\z)"));
    const QRegularExpressionMatch match = sizeSuffix.match(thumbName);
    if (match.hasMatch()) {
        names.sizeSuffix = match.captured();
        names.fullFileName.remove(match.capturedStart(), match.capturedLength());
    }
    return names;
}

QString DownloadNames::fullSizeUrl(const QString& base) const
{
    // Characters with a meaning in addresses ("#", "?", spaces) are sent encoded; "%" is kept so a
    // name that arrived encoded is requested as it was.
    QStringList pieces = fullFileName.split('%');
    for (QString& piece : pieces)
        piece = QString::fromLatin1(QUrl::toPercentEncoding(piece));
    const QString name = pieces.join('%');
    return base + "wp-content/uploads/" + year + "/" + month + "/" + name;
}

bool DownloadNames::isPlainFileName() const
{
    if (fullFileName.isEmpty() || fullFileName == "." || fullFileName == "..")
        return false;
    for (QChar c : fullFileName) {
        if (c == '/' || c == '\\' || c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
    }
    return true;
}
