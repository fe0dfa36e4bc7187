#include "export/IconClipboard.h"

#include "export/DownloadNames.h"
#include "export/IconMimeData.h"
#include "platform/Clipboard.h"
#include "platform/Dialogs.h"

#include <QFutureWatcher>
#include <QMimeData>
#include <QtConcurrent/QtConcurrentRun>

IconClipboard::IconClipboard(Clipboard& clipboard, Dialogs& dialogs, FileWriter& files, const AppPaths& paths,
                             const SiteAddress& site, QWidget* dialogParent, QObject* parent)
    : QObject(parent), m_clipboard(clipboard), m_dialogs(dialogs), m_dialogParent(dialogParent), m_site(site),
      m_fetch(paths, site, files)
{
    connect(&m_fetch, &FullIconFetch::ready, this, &IconClipboard::onReady);
    connect(&m_fetch, &FullIconFetch::failed, this, &IconClipboard::tell);
}

void IconClipboard::copyImage(const QString& thumbName)
{
    ++m_generation;
    m_fetch.start(thumbName);
}

void IconClipboard::copyAddress(const QString& thumbName)
{
    auto* data = new QMimeData;
    data->setText(DownloadNames::derive(thumbName).fullSizeUrl(m_site.base()));
    m_clipboard.setMimeData(data);
    Q_EMIT copied();
}

// Decoding a picture that is not PNG can take a while: it runs on a worker.
void IconClipboard::onReady(const QString& path)
{
    const int generation = m_generation;
    auto* watcher = new QFutureWatcher<QByteArray>(this);
    connect(watcher, &QFutureWatcher<QByteArray>::finished, this, [this, watcher, path, generation] {
        watcher->deleteLater();
        if (generation != m_generation)
            return;
        const QByteArray png = watcher->result();
        if (png.isEmpty()) {
            tell(QStringLiteral("The icon could not be copied: %1 is not a picture that can be read.")
                     .arg(path));
            return;
        }
        m_clipboard.setMimeData(IconMimeData::make(path, png));
        Q_EMIT copied();
    });
    watcher->setFuture(QtConcurrent::run([path] { return IconMimeData::pngBytes(path); }));
}

void IconClipboard::tell(const QString& message)
{
    m_dialogs.inform(m_dialogParent, message, QStringLiteral("Pictomine"));
}
