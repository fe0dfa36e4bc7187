#include "catalogue-site/IndexCache.h"

#include <QDataStream>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace
{
// Raised whenever what is stored, or how entries are built from the sets, changes.
constexpr quint32 kFormat = 4;
constexpr quint32 kMagic = 0x50494458; // "PIDX"
constexpr qint32 kMaxEntries = 1000000;

QDataStream& operator<<(QDataStream& out, const IconEntry& e)
{
    return out << e.name << e.compact << e.date << e.file << qint32(e.synthetic) << e.tags << e.aliases
               << e.associations << e.related << e.source << qint32(e.style);
}

QDataStream& operator>>(QDataStream& in, IconEntry& e)
{
    qint32 synthetic = -1, style = 0;
    in >> e.name >> e.compact >> e.date >> e.file >> synthetic >> e.tags >> e.aliases >> e.associations >>
        e.related >> e.source >> style;
    e.synthetic = synthetic;
    e.style = style;
    return in;
}
} // namespace

IndexCache::IndexCache(QString file) : m_file(std::move(file)) {}

QString IndexCache::defaultFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           "/pictomine-catalogue-site/demo-index.bin";
}

QString IndexCache::fingerprint(const QStringList& sources)
{
    QStringList parts;
    for (const QString& path : sources) {
        const QFileInfo info(path);
        parts << path + '@' +
                     (info.exists() ? QString::number(info.lastModified().toMSecsSinceEpoch()) + ':' +
                                          QString::number(info.size())
                                    : QStringLiteral("missing"));
    }
    return parts.join('\n');
}

std::optional<std::vector<IconEntry>> IndexCache::load(const QString& fingerprint) const
{
    QFile file(m_file);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QDataStream in(&file);
    in.setVersion(QDataStream::Qt_6_0);
    quint32 magic = 0, format = 0;
    QString stored;
    qint32 count = 0;
    in >> magic >> format >> stored >> count;
    if (magic != kMagic || format != kFormat || stored != fingerprint || count < 0 || count > kMaxEntries)
        return std::nullopt;
    std::vector<IconEntry> entries(static_cast<size_t>(count));
    for (IconEntry& e : entries)
        in >> e;
    if (in.status() != QDataStream::Ok)
        return std::nullopt;
    return entries;
}

bool IndexCache::save(const QString& fingerprint, const std::vector<IconEntry>& entries) const
{
    if (!QDir().mkpath(QFileInfo(m_file).path()))
        return false;
    QSaveFile file(m_file);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QDataStream out(&file);
    out.setVersion(QDataStream::Qt_6_0);
    out << kMagic << kFormat << fingerprint << qint32(entries.size());
    for (const IconEntry& e : entries)
        out << e;
    return out.status() == QDataStream::Ok && file.commit();
}
