#pragma once

#include "catalogue-site/IconCatalogue.h"
#include "catalogue-site/PixelPrint.h"

#include <QByteArray>

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

// The PNG files of the catalogue's icons: a 150 x 150 thumbnail and a 512 x 512 full-size picture
// per icon, each rendered on its first request and then kept in memory. Threads asking for the
// same picture at once wait for one rendering.
class ImageStore
{
public:
    static constexpr int kThumbSize = 150;
    static constexpr int kFullSize = 512;

    explicit ImageStore(const IconCatalogue& catalogue);

    [[nodiscard]] QByteArray thumbnail(int index);
    [[nodiscard]] QByteArray fullSize(int index);
    // The print of an icon's thumbnail (rendering it when it is not yet); null for a bad index.
    [[nodiscard]] const PixelPrint* print(int index);
    // Number of renderings done so far (each picture is rendered at most once).
    [[nodiscard]] int renderCount() const;

    struct Slot {
        std::once_flag once;
        QByteArray png;
        PixelPrint print; // thumbnails only
    };

private:
    Slot* picture(std::vector<std::unique_ptr<Slot>>& slots, int index, int size);

    const IconCatalogue& m_catalogue;
    std::vector<std::unique_ptr<Slot>> m_thumbs;
    std::vector<std::unique_ptr<Slot>> m_full;
    std::atomic<int> m_renders{0};
};
