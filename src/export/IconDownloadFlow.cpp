#include "export/IconDownloadFlow.h"

#include "export/DownloadNames.h"
#include "export/ExportJob.h"
#include "export/ExportSource.h"
#include "export/FileTypeCode.h"
#include "imaging/FileHelpers.h"
#include "platform/AppPaths.h"
#include "platform/Dialogs.h"
#include "platform/SiteAddress.h"

#include <QFile>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>

#include <memory>

const QString IconDownloadFlow::kSaveFilter =
    QStringLiteral("PNG Portable Network Graphics (*.PNG)|*.png"
                   "|JPEG Files (*.JPG;*.JPEG)|*.jpg;*.jpeg"
                   "|BMP Windows Bitmap (*.BMP;*.DIB;*.RLE)|*.bmp;*.dib;*.rle"
                   "|EMF Windows Enhanced Metafile (*.EMF)|*.emf"
                   "|GIF CompuServe GIF (*.GIF)|*.gif"
                   "|TIFF Tag Image File Format (*.TIF;*.TIFF)|*.tif;*.tiff"
                   "|WMF Windows Metafile (*.WMF)|*.wmf");

IconDownloadFlow::IconDownloadFlow(Dialogs& dialogs, BusyPointer& pointer, FileWriter& files,
                                   QWidget* dialogParent, QObject* parent)
    : QObject(parent), m_dialogs(dialogs), m_pointer(pointer), m_files(files), m_dialogParent(dialogParent)
{
    ExportSource::allowBoundedImages();
    Timer1.setInterval(kPollMs);
    connect(&Timer1, &QTimer::timeout, this, &IconDownloadFlow::onTimer1);
    inetGetPics.setTimeout(0);
    inetGetPics.setIdleTimeout(kIdleTimeoutMs);
    connect(&inetGetPics, &Transfer::finished, this, &IconDownloadFlow::onFetched);
    connect(&inetGetPics, &Transfer::progress, this, &IconDownloadFlow::downloadProgress);
}

void IconDownloadFlow::start(const QString& thumbName)
{
    ++m_generation;
    inetGetPics.Cancel();
    Timer1.stop();
    m_fetchClaim = m_pointer.claim(BusyPointer::Shape::Hourglass);
    const DownloadNames names = DownloadNames::derive(thumbName);
    if (!names.isPlainFileName()) {
        m_downloadPath.clear();
        m_url.clear();
        finishFetch();
        tell(QStringLiteral("The icon could not be downloaded: \"%1\" is not a usable file name.")
                 .arg(names.fullFileName));
        return;
    }
    m_downloadPath = AppPaths::downloads() + "/" + names.fullFileName;
    m_url = names.fullSizeUrl(SiteAddress::base());
    if (!QFileInfo::exists(m_downloadPath)) {
        fetch();
        return;
    }
    // An earlier copy is used when it still decodes; one that does not is fetched again.
    const QString path = m_downloadPath;
    onWorker(
        [path] {
            // A picture too large to export is still a picture: the export says why it stops.
            const ExportSource::Decoded decoded = ExportSource::read(path);
            return decoded.image.isNull() && !decoded.tooLarge ? QStringLiteral("unreadable") : QString();
        },
        [this](const QString& problem) {
            if (problem.isEmpty())
                onStored({});
            else
                fetch();
        });
}

void IconDownloadFlow::fetch()
{
    inetGetPics.get(QUrl(m_url));
}

void IconDownloadFlow::onWorker(std::function<QString()> work, std::function<void(const QString&)> then)
{
    auto* watcher = new QFutureWatcher<QString>(this);
    connect(watcher, &QFutureWatcher<QString>::finished, this,
            [this, watcher, then = std::move(then), generation = m_generation] {
                watcher->deleteLater();
                if (generation == m_generation)
                    then(watcher->result());
            });
    watcher->setFuture(QtConcurrent::run(std::move(work)));
}

void IconDownloadFlow::cancel()
{
    ++m_generation;
    // Transfer::Cancel drops the reply without a finished() signal, so nothing is stored.
    inetGetPics.Cancel();
    Timer1.stop();
    m_fetchClaim.release();
}

void IconDownloadFlow::onFetched(bool ok, const QByteArray& body)
{
    // Replies of zero or one byte count as failed fetches.
    if (!ok || body.size() < 2) {
        finishFetch();
        tell(QStringLiteral("The icon could not be downloaded from %1.").arg(m_url));
        return;
    }
    // Checked and stored on a worker: only a picture that decodes is kept, and the file appears
    // only when complete. A link in the downloads folder is replaced, never written through.
    onWorker(
        [files = &m_files, path = m_downloadPath, url = m_url, body] {
            const ExportSource::Decoded decoded = ExportSource::readBytes(body);
            if (decoded.tooLarge)
                return decoded.error;
            if (decoded.image.isNull())
                return QStringLiteral(
                           "The icon from %1 is not a picture that can be read (%2), so it was not "
                           "kept.")
                    .arg(url, decoded.error);
            QString error;
            if (!files->write({path, FileWriter::Sync::Durable, FileWriter::Links::Replace}, body, &error))
                return QStringLiteral("The icon could not be stored. %1.").arg(error);
            return QString();
        },
        [this](const QString& problem) { onStored(problem); });
}

void IconDownloadFlow::onStored(const QString& problem)
{
    finishFetch();
    if (!problem.isEmpty()) {
        tell(problem);
        return;
    }
    Timer1.start();
}

void IconDownloadFlow::finishFetch()
{
    m_fetchClaim.release();
    Q_EMIT downloadFinished();
}

void IconDownloadFlow::onTimer1()
{
    Timer1.stop();
    if (!QFile::exists(m_downloadPath)) {
        tell(QStringLiteral("The downloaded icon %1 is no longer there.").arg(m_downloadPath));
        return;
    }
    const QString path = m_dialogs.saveFileName(m_dialogParent, QStringLiteral("Open File..."),
                                                FileHelpers::QtFilterFromPipeList(kSaveFilter));
    if (path.isEmpty())
        return;
    if (QFile::exists(path) &&
        !m_dialogs.confirm(m_dialogParent, QStringLiteral("Image already exists, overwrite it?"),
                           QStringLiteral("Warning")))
        return;
    saveAs(path);
}

void IconDownloadFlow::saveAs(const QString& path)
{
    // The existing file stays until the export has written its replacement completely.
    const ExportRequest request{path,    FileTypeCode::fromPath(path), 1, true, 90, true, AppPaths::sizes(),
                                &m_files};
    ++m_exportsRunning;
    // Each export keeps the hourglass until its own file is written.
    auto claim = std::make_shared<BusyPointer::Claim>(m_pointer.claim(BusyPointer::Shape::Hourglass));
    auto* watcher = new QFutureWatcher<ExportResult>(this);
    connect(watcher, &QFutureWatcher<ExportResult>::finished, this, [this, watcher, path, claim] {
        watcher->deleteLater();
        claim->release();
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
