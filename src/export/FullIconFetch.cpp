#include "export/FullIconFetch.h"

#include "export/DownloadNames.h"
#include "platform/AppPaths.h"
#include "platform/SiteAddress.h"

#include <QFile>
#include <QSaveFile>
#include <QTimer>

FullIconFetch::FullIconFetch(QObject* parent) : QObject(parent)
{
    connect(&m_transfer, &Transfer::finished, this, &FullIconFetch::onFetched);
}

QString FullIconFetch::pathFor(const QString& thumbName)
{
    const DownloadNames names = DownloadNames::derive(thumbName);
    return names.isPlainFileName() ? AppPaths::downloads() + "/" + names.fullFileName : QString();
}

void FullIconFetch::start(const QString& thumbName)
{
    m_transfer.Cancel();
    m_path = pathFor(thumbName);
    if (m_path.isEmpty()) {
        const QString name = DownloadNames::derive(thumbName).fullFileName;
        QTimer::singleShot(0, this, [this, name] {
            Q_EMIT failed(QStringLiteral("\"%1\" is not a usable file name.").arg(name));
        });
        return;
    }
    m_url = DownloadNames::derive(thumbName).fullSizeUrl(SiteAddress::base());
    if (QFile::exists(m_path)) {
        QTimer::singleShot(0, this, [this, path = m_path] { Q_EMIT ready(path); });
        return;
    }
    m_transfer.get(QUrl(m_url));
}

void FullIconFetch::onFetched(bool ok, const QByteArray& body)
{
    // Replies of zero or one byte count as failed fetches; the file appears only when complete.
    if (!ok || body.size() < 2) {
        Q_EMIT failed(QStringLiteral("It could not be downloaded from %1.").arg(m_url));
        return;
    }
    if (!QFile::exists(m_path)) {
        QSaveFile file(m_path);
        if (!file.open(QIODevice::WriteOnly) || file.write(body) != body.size() || !file.commit()) {
            Q_EMIT failed(
                QStringLiteral("It could not be stored as %1: %2.").arg(m_path, file.errorString()));
            return;
        }
    }
    Q_EMIT ready(m_path);
}
