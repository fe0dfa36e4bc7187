#include "export/IconDownloadFlow.h"

#include "export/DownloadQuota.h"
#include "export/ExportJob.h"
#include "export/FileTypeCode.h"
#include "imaging/FileHelpers.h"
#include "platform/AppPaths.h"
#include "platform/Dialogs.h"
#include "platform/SaveFilter.h"
#include "platform/SaveRequest.h"
#include "platform/UserSettings.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QGuiApplication>
#include <QMimeData>
#include <QStandardPaths>

#include <memory>

const QString IconDownloadFlow::kSaveFilter = QStringLiteral("PNG Portable Network Graphics|*.png"
                                                             "|JPEG Files|*.jpg;*.jpeg"
                                                             "|BMP Windows Bitmap|*.bmp;*.dib;*.rle"
                                                             "|EMF Windows Enhanced Metafile|*.emf"
                                                             "|GIF CompuServe GIF|*.gif"
                                                             "|ICO Windows Icon|*.ico"
                                                             "|TIFF Tag Image File Format|*.tif;*.tiff"
                                                             "|WMF Windows Metafile|*.wmf");

const QString IconDownloadFlow::kFolderKey = QStringLiteral("save/folder");

namespace
{

// The folder the last save went to, while it exists; else the user's pictures folder, else home.
QString startFolder(const UserSettings& settings)
{
    const QString last = settings.value(IconDownloadFlow::kFolderKey);
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return QFileInfo(pictures).isDir() ? pictures : QDir::homePath();
}

// Local files on the clipboard (its text/uri-list): a copied download must outlive the pruning.
QSet<QString> clipboardFiles()
{
    QSet<QString> files;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return files;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data && data->hasUrls()) {
        for (const QUrl& url : data->urls()) {
            if (url.isLocalFile())
                files << url.toLocalFile();
        }
    }
    return files;
}

} // namespace

IconDownloadFlow::IconDownloadFlow(Dialogs& dialogs, BusyPointer& pointer, FileWriter& files,
                                   const AppPaths& paths, const SiteAddress& site,
                                   const UserSettings& settings, QWidget* dialogParent, QObject* parent)
    : QObject(parent), m_dialogs(dialogs), m_pointer(pointer), m_files(files), m_paths(paths),
      m_settings(settings), m_dialogParent(dialogParent), m_fetch(paths, site, files)
{
    m_pollTimer.setInterval(kPollMs);
    connect(&m_pollTimer, &QTimer::timeout, this, &IconDownloadFlow::onPollTick);
    connect(&m_fetch, &FullIconFetch::ready, this, &IconDownloadFlow::onStored);
    connect(&m_fetch, &FullIconFetch::failed, this, [this](const QString& problem) {
        finishFetch();
        tell(problem);
    });
    connect(&m_fetch, &FullIconFetch::progress, this, &IconDownloadFlow::downloadProgress);
}

void IconDownloadFlow::start(const QString& thumbName)
{
    m_pollTimer.stop();
    m_fetchClaim = m_pointer.claim(BusyPointer::Shape::Hourglass);
    m_fetch.start(thumbName);
    m_downloadPath = m_fetch.path();
}

void IconDownloadFlow::cancel()
{
    m_fetch.cancel();
    m_pollTimer.stop();
    m_fetchClaim.release();
}

void IconDownloadFlow::onStored()
{
    finishFetch();
    keepWithinBound();
    m_pollTimer.start();
}

// Records the new download as the client's and prunes the folder, keeping the new file, the
// files of exports not yet finished and whatever the clipboard holds. A record that cannot be
// written only leaves the file out of the pruning.
void IconDownloadFlow::keepWithinBound()
{
    DownloadQuota quota(m_paths.downloads(), m_downloadBound);
    (void)quota.touch(QFileInfo(m_downloadPath).fileName());
    QSet<QString> keep = clipboardFiles();
    keep << m_downloadPath;
    for (const QString& path : std::as_const(m_exportSources))
        keep << path;
    quota.prune(keep);
}

void IconDownloadFlow::finishFetch()
{
    m_fetchClaim.release();
    Q_EMIT downloadFinished();
}

void IconDownloadFlow::onPollTick()
{
    m_pollTimer.stop();
    if (!QFile::exists(m_downloadPath)) {
        tell(QStringLiteral("The downloaded icon %1 is no longer there.").arg(m_downloadPath));
        return;
    }
    SaveRequest request;
    request.title = QStringLiteral("Open File...");
    request.filters = FileHelpers::qtFilterFromPipeList(kSaveFilter).split(QStringLiteral(";;"));
    request.fileName = QFileInfo(m_downloadPath).fileName();
    request.selectedFilter = SaveFilter::entryFor(request.fileName, request.filters);
    request.folder = startFolder(m_settings);
    const QString path = m_dialogs.saveFile(m_dialogParent, request);
    if (path.isEmpty())
        return;
    // A folder that cannot be remembered costs the user nothing now; the next dialog opens elsewhere.
    (void)m_settings.setValue(kFolderKey, QFileInfo(path).absolutePath());
    const QFileInfo target(path);
    if (target.exists() &&
        !m_dialogs.confirm(m_dialogParent,
                           QStringLiteral("Image \"%1\" already exists in %2, overwrite it?")
                               .arg(target.fileName(), QDir::toNativeSeparators(target.absolutePath())),
                           QStringLiteral("Warning")))
        return;
    saveAs(path);
}

void IconDownloadFlow::saveAs(const QString& path)
{
    // The existing file stays until the export has written its replacement completely.
    const ExportRequest request{path,    FileTypeCode::fromPath(path), 1, true, 90, true, m_paths.sizes(),
                                &m_files};
    ++m_exportsRunning;
    m_exportSources << m_downloadPath;
    // Each export keeps the hourglass until its own file is written.
    auto claim = std::make_shared<BusyPointer::Claim>(m_pointer.claim(BusyPointer::Shape::Hourglass));
    auto* watcher = new QFutureWatcher<ExportResult>(this);
    connect(watcher, &QFutureWatcher<ExportResult>::finished, this,
            [this, watcher, path, claim, source = m_downloadPath] {
                watcher->deleteLater();
                claim->release();
                m_exportSources.removeOne(source);
                onExported(path, watcher->result());
            });
    watcher->setFuture(ExportJob::start(m_downloadPath, request));
}

void IconDownloadFlow::onExported(const QString& path, const ExportResult& result)
{
    --m_exportsRunning;
    if (!result.ok) {
        tell(result.message);
        return;
    }
    Q_EMIT saved(path);
}

void IconDownloadFlow::tell(const QString& message)
{
    m_dialogs.inform(m_dialogParent, message, QStringLiteral("Pictomine"));
}
