#include "export/IconDownloadFlow.h"

#include "export/DownloadNames.h"
#include "export/FileTypeCode.h"
#include "export/RenderAndSaveIcon.h"
#include "imaging/FileHelpers.h"
#include "platform/AppPaths.h"
#include "platform/Dialogs.h"
#include "platform/ScreenCursor.h"
#include "platform/SiteAddress.h"

#include <QFile>
#include <QImageReader>
#include <QSaveFile>

const QString IconDownloadFlow::kSaveFilter =
    QStringLiteral("PNG Portable Network Graphics (*.PNG)|*.png"
                   "|JPEG Files (*.JPG;*.JPEG)|*.jpg;*.jpeg"
                   "|BMP Windows Bitmap (*.BMP;*.DIB;*.RLE)|*.bmp;*.dib;*.rle"
                   "|EMF Windows Enhanced Metafile (*.EMF)|*.emf"
                   "|GIF CompuServe GIF (*.GIF)|*.gif"
                   "|TIFF Tag Image File Format (*.TIF;*.TIFF)|*.tif;*.tiff"
                   "|WMF Windows Metafile (*.WMF)|*.wmf");

IconDownloadFlow::IconDownloadFlow(Dialogs& dialogs, QWidget* dialogParent, QObject* parent)
    : QObject(parent), m_dialogs(dialogs), m_dialogParent(dialogParent)
{
    Timer1.setInterval(kPollMs);
    connect(&Timer1, &QTimer::timeout, this, &IconDownloadFlow::onTimer1);
    connect(&inetGetPics, &Transfer::finished, this, &IconDownloadFlow::onFetched);
}

void IconDownloadFlow::start(const QString& thumbName)
{
    inetGetPics.Cancel();
    Timer1.stop();
    ScreenCursor::set(ScreenCursor::Hourglass);
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
    if (QFile::exists(m_downloadPath)) {
        finishFetch();
        Timer1.start();
        return;
    }
    inetGetPics.get(QUrl(m_url));
}

void IconDownloadFlow::onFetched(bool ok, const QByteArray& body)
{
    // Replies of zero or one byte count as failed fetches. The file appears only when complete.
    QString writeError;
    if (ok && body.size() >= 2 && !QFile::exists(m_downloadPath)) {
        QSaveFile file(m_downloadPath);
        if (!file.open(QIODevice::WriteOnly) || file.write(body) != body.size() || !file.commit())
            writeError = file.errorString();
    }
    finishFetch();
    if (!writeError.isEmpty()) {
        tell(QStringLiteral("The icon could not be stored as %1: %2.").arg(m_downloadPath, writeError));
        return;
    }
    if (!QFile::exists(m_downloadPath)) {
        tell(QStringLiteral("The icon could not be downloaded from %1.").arg(m_url));
        return;
    }
    Timer1.start();
}

void IconDownloadFlow::finishFetch()
{
    ScreenCursor::set(ScreenCursor::Default);
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
    QImageReader reader(m_downloadPath);
    const QImage image = reader.read();
    if (image.isNull()) {
        tell(QStringLiteral("The downloaded icon %1 could not be read: %2.")
                 .arg(m_downloadPath, reader.errorString()));
        return;
    }
    // The existing file stays until the export has written its replacement completely.
    const ExportResult result = RenderAndSaveIcon(path, FileTypeCode::fromPath(path), 0, 1, 1, true, true, 0,
                                                  90, image, true, &m_dialogs, m_dialogParent);
    if (result.ok)
        Q_EMIT saved(path);
}

void IconDownloadFlow::tell(const QString& message)
{
    m_dialogs.inform(m_dialogParent, message, QStringLiteral("Pictomine"));
}
