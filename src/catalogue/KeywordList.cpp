#include "catalogue/KeywordList.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cmath>
#include <limits>

KeywordList::KeywordList()
{
    auto engine = std::make_shared<std::mt19937>(std::random_device{}());
    m_random = [engine]() { return std::uniform_real_distribution<double>(0.0, 1.0)(*engine); };
}

void KeywordList::loadKeywords(const QString& path)
{
    m_entries.clear();
    m_ringNext = 0;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        QByteArray text;
        const qint64 size = file.size();
        if (size > kMaxReadBytes && file.seek(size - kMaxReadBytes - 1)) {
            // One byte more, before the part kept: the line it ends (or the cut one) is dropped.
            text = file.read(kMaxReadBytes + 1);
            const qsizetype firstEnd = text.indexOf('\n');
            text.remove(0, firstEnd < 0 ? text.size() : firstEnd + 1);
        } else {
            text = file.read(kMaxReadBytes);
        }
        const QStringList lines = QString::fromUtf8(text).split('\n');
        for (QString line : lines) {
            if (line.endsWith('\r'))
                line.chop(1);
            const QStringList fields = line.split('#');
            if (fields.size() < 2)
                continue;
            // A keyword that held "#" is cut at it; a count that is no 16-bit number reads as 1.
            bool ok = false;
            const int count = fields[1].trimmed().toInt(&ok);
            const bool fits = ok && count >= std::numeric_limits<qint16>::min() &&
                              count <= std::numeric_limits<qint16>::max();
            m_entries.push_back({fields[0], fits ? qint16(count) : qint16(1)});
        }
    }
    m_saveCount = int(m_entries.size());
}

bool KeywordList::saveKeywords(const QString& path, FileWriter& files, QString* error) const
{
    // A link counts as the file, even a dangling one: it is replaced, not followed.
    if (!QFileInfo(path).exists() && !QFileInfo(path).isSymLink())
        return false;
    // Oldest first: once the ring is full that is the slot recorded next, so the file read at the
    // next start puts the oldest entry into slot 0, where the ring goes on overwriting.
    const int n = std::min(m_saveCount, int(m_entries.size()));
    const int first = int(m_entries.size()) == kCapacity ? m_ringNext : 0;
    QByteArray text;
    for (int k = 0; k < n; ++k) {
        const KeywordEntry& entry = m_entries[size_t((first + k) % n)];
        text += entry.keyword.toUtf8() + '#' + QByteArray::number(entry.count) + "\r\n";
    }
    return files.write({path, FileWriter::Sync::Durable, FileWriter::Links::Replace}, text, error);
}

void KeywordList::record(const QString& searchText)
{
    if (int(m_entries.size()) < kCapacity) {
        m_entries.push_back({searchText, 1});
        m_saveCount = int(m_entries.size());
        return;
    }
    // Full: keep the first kCapacity entries and overwrite the oldest slot in turn.
    m_entries.resize(kCapacity);
    m_entries[size_t(m_ringNext)] = {searchText, 1};
    m_ringNext = (m_ringNext + 1) % kCapacity;
    m_saveCount = kCapacity;
}

QString KeywordList::pickLuckyKeyword()
{
    std::vector<int> candidates;
    for (int i = 0; i < int(m_entries.size()); ++i)
        if (!m_entries[size_t(i)].keyword.isEmpty())
            candidates.push_back(i);
    if (candidates.empty())
        return QString();
    // Nearest-integer draw over [0, n - 1]: the two ends get half the weight of the others.
    const long i = std::lrint(m_random() * double(candidates.size() - 1));
    const size_t index = size_t(std::clamp<long>(i, 0, long(candidates.size()) - 1));
    return m_entries[size_t(candidates[index])].keyword;
}
