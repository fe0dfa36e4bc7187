#include "catalogue-site/ImageStore.h"

#include "catalogue-site/IconRenderer.h"

#include <QBuffer>
#include <QImageWriter>

namespace
{
std::vector<std::unique_ptr<ImageStore::Slot>> makeSlots(int count)
{
    std::vector<std::unique_ptr<ImageStore::Slot>> slots(static_cast<size_t>(count));
    for (auto& slot : slots)
        slot = std::make_unique<ImageStore::Slot>();
    return slots;
}

QByteArray encodePng(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.write(image.convertToFormat(QImage::Format_ARGB32));
    return bytes;
}
} // namespace

ImageStore::ImageStore(const IconCatalogue& catalogue)
    : m_catalogue(catalogue), m_thumbs(makeSlots(catalogue.size())), m_full(makeSlots(catalogue.size()))
{
}

QByteArray ImageStore::thumbnail(int index)
{
    return picture(m_thumbs, index, kThumbSize);
}

QByteArray ImageStore::fullSize(int index)
{
    return picture(m_full, index, kFullSize);
}

int ImageStore::renderCount() const
{
    return m_renders.load();
}

QByteArray ImageStore::picture(std::vector<std::unique_ptr<Slot>>& slots, int index, int size)
{
    if (index < 0 || index >= int(slots.size()))
        return {};
    Slot& slot = *slots[size_t(index)];
    std::call_once(slot.once, [&] {
        slot.png = encodePng(IconRenderer::render(m_catalogue.at(index), size));
        ++m_renders;
    });
    return slot.png;
}
