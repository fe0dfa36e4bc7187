// "GoodLuck.txt" as the program reads and writes it: whatever a file holds, the list written
// back reads in again as the same list, and writing that once more gives the same bytes.

#include "catalogue/KeywordList.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace
{
QByteArray roundTrip(const QString& path, KeywordList& list)
{
    if (!list.SaveKeywords(path))
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
    list.LoadKeywords(path);
    if (size > 0 && data[0] % 2) // sometimes record a search before writing back
        list.record(QStringLiteral("fuzz #%1").arg(size));
    const QByteArray first = roundTrip(path, list);
    KeywordList again;
    again.LoadKeywords(path);
    if (again.entries().size() != std::min<std::size_t>(list.entries().size(), std::size_t(list.saveCount())))
        __builtin_trap();
    if (roundTrip(path, again) != first)
        __builtin_trap();
    return 0;
}
