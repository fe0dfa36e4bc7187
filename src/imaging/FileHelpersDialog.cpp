// The dialog routines of FileHelpers, apart from the others: they need the widget library, which
// the window-less export process does not load.
#include "imaging/FileHelpers.h"

#include "platform/Dialogs.h"

#include <QStringList>

namespace FileHelpers
{

QString qtFilterFromPipeList(const QString& filter)
{
    const QStringList parts = filter.split('|');
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
        for (QString& p : patterns)
            p = p.trimmed();
        entries << parts[i] + " (" + patterns.join(' ') + ")";
    }
    return entries.join(";;");
}

QString showFileDialog(Dialogs& dialogs, QWidget* parent, const QString& filter, bool openFlag)
{
    const QString title = QStringLiteral("Open File...");
    const QString qtFilter = qtFilterFromPipeList(filter);
    return openFlag ? dialogs.openFileName(parent, title, qtFilter)
                    : dialogs.saveFileName(parent, title, qtFilter);
}

} // namespace FileHelpers
