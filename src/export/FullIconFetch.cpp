#include "export/FullIconFetch.h"

#include "export/DownloadNames.h"
#include "export/ExportSource.h"

#include <QFileInfo>
#include <QFutureWatcher>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

FullIconFetch::FullIconFetch(const AppPaths& paths, const SiteAddress& site, FileWriter& files,
                             QObject* parent)
    : QObject(parent), m_paths(paths), m_site(site), m_files(files)
{
    ExportSource::allowBoundedImages();
    m_transfer.setTimeout(0);
    m_transfer.setIdleTimeout(kIdleTimeoutMs);
    connect(&m_transfer, &Transfer::finished, this, &FullIconFetch::onFetched);
    connect(&m_transfer, &Transfer::progress, this, &FullIconFetch::progress);
}

QString FullIconFetch::pathFor(const AppPaths& paths, const QString& thumbName)
{
    const DownloadNames names = DownloadNames::derive(thumbName);
    return names.isPlainFileName() ? paths.downloads() + "/" + names.fullFileName : QString();
}

void FullIconFetch::start(const QString& thumbName)
{
    cancel();
    const DownloadNames names = DownloadNames::derive(thumbName);
    m_path = pathFor(m_paths, thumbName);
    if (m_path.isEmpty()) {
        m_url.clear();
        onWorker(
            [name = names.fullFileName] {
                return QStringLiteral("The icon could not be downloaded: \"%1\" is not a usable file name.")
                    .arg(name);
            },
            [this](const QString& problem) { finish(problem); });
        return;
    }
    m_url = names.fullSizeUrl(m_site.base());
    if (!QFileInfo::exists(m_path)) {
        fetch();
        return;
    }
    onWorker(
        [path = m_path] {
            // A picture too large to export is still a picture: the export says why it stops.
            const ExportSource::Decoded decoded = ExportSource::read(path);
            return decoded.image.isNull() && !decoded.tooLarge ? QStringLiteral("unreadable") : QString();
        },
        [this](const QString& problem) {
            if (problem.isEmpty())
                finish({});
            else
                fetch();
        });
}

void FullIconFetch::cancel()
{
    ++m_generation;
    // Transfer::cancel drops the reply without a finished() signal, so nothing is stored.
    m_transfer.cancel();
}

void FullIconFetch::fetch()
{
    m_transfer.get(QUrl(m_url));
}

void FullIconFetch::onWorker(std::function<QString()> work, std::function<void(const QString&)> then)
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

void FullIconFetch::onFetched(bool ok, const QByteArray& body)
{
    // Replies of zero or one byte count as failed fetches.
    if (!ok || body.size() < 2) {
        finish(QStringLiteral("The icon could not be downloaded from %1.").arg(m_url));
        return;
    }
    // Checked and stored on a worker: only a picture that decodes is kept, and the file appears
    // only when complete. A link in the downloads folder is replaced, never written through.
    onWorker(
        [files = &m_files, path = m_path, url = m_url, body] {
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
        [this](const QString& problem) { finish(problem); });
}

void FullIconFetch::finish(const QString& problem)
{
    if (problem.isEmpty())
        Q_EMIT ready(m_path);
    else
        Q_EMIT failed(problem);
}
