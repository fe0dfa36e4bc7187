// A result page as the client reads it: the bounded parse, the link pass over its links and
// the cache names of its images.

#include "catalogue/LinkPass.h"
#include "catalogue/ThumbnailCache.h"
#include "platform/HtmlDocument.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QUrl page(QStringLiteral("http://127.0.0.1:8123/page/2/?s=arrow"));
    const QByteArray html(reinterpret_cast<const char*>(data), qsizetype(size));
    const HtmlDocument::Reading reading = HtmlDocument::read(html, page);
    std::vector<IconRecord> records;
    int count = 0;
    LinkPass::run(reading.document.links(), records, count, QStringLiteral("http://127.0.0.1:8123/"));
    if (records.size() != std::size_t(count))
        __builtin_trap();
    for (const QString& image : reading.document.images()) {
        const QString name = fileNameFromUrl(image);
        if (ThumbnailCache::isSafeName(name) && (name.contains('/') || name == QLatin1String("..")))
            __builtin_trap();
    }
    return 0;
}
