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
    const Slot* slot = picture(m_thumbs, index, kThumbSize);
    return slot ? slot->png : QByteArray();
}

QByteArray ImageStore::fullSize(int index)
{
    const Slot* slot = picture(m_full, index, kFullSize);
    return slot ? slot->png : QByteArray();
}

const PixelPrint* ImageStore::print(int index)
{
    const Slot* slot = picture(m_thumbs, index, kThumbSize);
    return slot ? &slot->print : nullptr;
}

int ImageStore::renderCount() const
{
    return m_renders.load();
}

ImageStore::Slot* ImageStore::picture(std::vector<std::unique_ptr<Slot>>& slots, int index, int size)
{
    if (index < 0 || index >= int(slots.size()))
        return nullptr;
    Slot& slot = *slots[size_t(index)];
    std::call_once(slot.once, [&] {
        const QImage image = IconRenderer::render(m_catalogue.at(index), size);
        slot.png = encodePng(image);
        if (size == kThumbSize)
            slot.print = PixelPrint(image);
        ++m_renders;
    });
    return &slot;
}
