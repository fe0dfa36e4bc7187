#include "export/DownloadNames.h"

#include <QStringList>
#include <QUrl>

DownloadNames DownloadNames::derive(const QString& thumbName)
{
    DownloadNames names;
    names.year = thumbName.left(4);
    names.month = thumbName.mid(4, 2);
    const qsizetype dash = thumbName.indexOf('-');
    if (dash < 0) {
        names.fullFileName = thumbName;
        return names;
    }
    names.sizeSuffix = thumbName.mid(dash, 8);
    names.fullFileName = thumbName;
    names.fullFileName.remove(names.sizeSuffix);
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
