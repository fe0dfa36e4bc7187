// "GoodLuck.txt" as the program reads and writes it: whatever a file holds, reading never fails
// and writing back gives at most ten lines once a search was recorded; a list written back reads
// in as the same entries, except that a keyword holding "#" is cut at it, so a second cycle
// writes exactly what the first read back.

#include "catalogue/KeywordList.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace
{
QByteArray roundTrip(const QString& path, KeywordList& list)
{
    if (!list.saveKeywords(path))
        __builtin_trap();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        __builtin_trap();
    return file.readAll();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("GoodLuck.txt"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            __builtin_trap();
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    KeywordList list;
    list.loadKeywords(path);
    const bool recorded = size > 0 && data[0] % 2; // sometimes record a search before writing back
    if (recorded)
        list.record(QStringLiteral("fuzz #%1").arg(size));
    const QByteArray first = roundTrip(path, list);
    if (recorded && first.count("\r\n") > KeywordList::kCapacity)
        __builtin_trap();
    KeywordList again;
    again.loadKeywords(path);
    if (again.entries().size() != std::size_t(first.count("\r\n")))
        __builtin_trap();
    const QByteArray second = roundTrip(path, again);
    KeywordList third;
    third.loadKeywords(path);
    if (roundTrip(path, third) != second)
        __builtin_trap();
    return 0;
}
