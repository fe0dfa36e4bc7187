#pragma once

#include "export/FullIconFetch.h"

#include <QObject>

class Clipboard;
class Dialogs;
class QWidget;

// Copies a tile's icon: the full-size picture (fetched first when it is not downloaded yet) as
// image/png and as its downloaded file, or the full-size icon's address as text. The fetch and
// the encoding run without blocking the window; a failure is told in a message.
class IconClipboard : public QObject
{
    Q_OBJECT
public:
    // `files` stores a full-size icon fetched for copying.
    // The icon is stored in the downloads folder of `paths`, fetched from `site`.
    IconClipboard(Clipboard& clipboard, Dialogs& dialogs, FileWriter& files, const AppPaths& paths,
                  const SiteAddress& site, QWidget* dialogParent, QObject* parent = nullptr);

    void copyImage(const QString& thumbName);
    void copyAddress(const QString& thumbName);

Q_SIGNALS:
    // The clipboard holds what was asked for.
    void copied();

private:
    void onReady(const QString& path);
    void tell(const QString& message);

    Clipboard& m_clipboard;
    Dialogs& m_dialogs;
    QWidget* m_dialogParent;
    const SiteAddress& m_site;
    FullIconFetch m_fetch;
    int m_generation = 0; // a newer copy supersedes an encoding still running
};
