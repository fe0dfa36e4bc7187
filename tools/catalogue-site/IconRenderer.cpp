#include "catalogue-site/IconRenderer.h"

#include "catalogue-site/SyntheticIcons.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>

#include <cairo.h>
#include <librsvg/rsvg.h>

namespace
{
// Drawings are found on a probe of this size, then drawn to fill this share of the square.
constexpr int kProbeSize = 256;
constexpr qreal kFill = 0.92;
constexpr int kVisibleAlpha = 8;

QImage blank(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QRectF centredBox(QSizeF natural, int size)
{
    if (natural.isEmpty())
        natural = QSizeF(size, size);
    const QSizeF fitted = natural.scaled(size, size, Qt::KeepAspectRatio);
    return QRectF((size - fitted.width()) / 2, (size - fitted.height()) / 2, fitted.width(), fitted.height());
}

// The smallest rectangle holding every visible pixel; empty when there is none.
QRect visibleBounds(const QImage& image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    int left = argb.width(), top = argb.height(), right = -1, bottom = -1;
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(line[x]) < kVisibleAlpha)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// Where `box` (in the coordinates of `bounds`) goes so that `bounds` fills the middle of a square.
QRectF fillSquare(const QRectF& box, const QRectF& bounds, int size)
{
    const qreal scale = size * kFill / std::max(bounds.width(), bounds.height());
    const QPointF shift = QPointF(size, size) / 2 - bounds.center() * scale;
    return {box.topLeft() * scale + shift, box.size() * scale};
}

QByteArray readBounded(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > IconRenderer::kMaxSourceBytes)
        return {};
    return file.readAll();
}

void smoothPainter(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
}

// An SVG document read by librsvg, released with its owner.
class SvgDocument
{
public:
    explicit SvgDocument(const QByteArray& bytes)
    {
        if (bytes.isEmpty() || bytes.size() > IconRenderer::kMaxSvgBytes ||
            bytes.count('<') > IconRenderer::kMaxSvgElements)
            return;
        GError* error = nullptr;
        m_handle = rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(bytes.constData()),
                                             gsize(bytes.size()), &error);
        g_clear_error(&error);
    }
    ~SvgDocument()
    {
        if (m_handle)
            g_object_unref(m_handle);
    }
    SvgDocument(const SvgDocument&) = delete;
    SvgDocument& operator=(const SvgDocument&) = delete;

    [[nodiscard]] bool isValid() const { return m_handle != nullptr; }
    // Its own size in pixels; empty when it has none (a view box alone).
    [[nodiscard]] QSizeF naturalSize() const
    {
        gdouble width = 0, height = 0;
        if (!rsvg_handle_get_intrinsic_size_in_pixels(m_handle, &width, &height))
            return {};
        return {width, height};
    }
    // Draws the whole document fitted into `box` of a premultiplied ARGB image; false on failure.
    bool render(QImage& image, const QRectF& box) const
    {
        cairo_surface_t* surface = cairo_image_surface_create_for_data(
            image.bits(), CAIRO_FORMAT_ARGB32, image.width(), image.height(), int(image.bytesPerLine()));
        cairo_t* cr = cairo_create(surface);
        const RsvgRectangle viewport{box.x(), box.y(), box.width(), box.height()};
        GError* error = nullptr;
        const bool drawn = rsvg_handle_render_document(m_handle, cr, &viewport, &error);
        g_clear_error(&error);
        cairo_destroy(cr);
        cairo_surface_flush(surface);
        cairo_surface_destroy(surface);
        return drawn;
    }

private:
    RsvgHandle* m_handle = nullptr;
};

// Drawn twice: once on a probe to find where the drawing is on its page, then sharp at the size
// asked for, with the drawing (not its page) filling the square.
QImage renderSvg(const QString& path, int size)
{
    QImage image = blank(size);
    const SvgDocument svg(readBounded(path));
    if (!svg.isValid())
        return image;
    const QRectF page = centredBox(svg.naturalSize(), kProbeSize);
    QImage probe = blank(kProbeSize);
    if (!svg.render(probe, page))
        return image;
    const QRect drawing = visibleBounds(probe);
    if (drawing.isEmpty())
        return image;
    if (!svg.render(image, fillSquare(page, QRectF(drawing).adjusted(0, 0, 1, 1), size)))
        image.fill(Qt::transparent);
    return image;
}

QImage renderPng(const QString& path, int size)
{
    QImage image = blank(size);
    QImageReader reader(path);
    const QSize natural = reader.size();
    // Refuse sources whose declared size would take an unreasonable amount of memory.
    if (!natural.isValid() || qint64(natural.width()) * natural.height() > 16 * 1024 * 1024)
        return image;
    const QImage source = reader.read();
    const QRect drawing = visibleBounds(source);
    if (source.isNull() || drawing.isEmpty())
        return image;
    QPainter p(&image);
    smoothPainter(p);
    const QRectF cropped = QRectF(drawing).adjusted(0, 0, 1, 1);
    p.drawImage(fillSquare(cropped, cropped, size), source, drawing);
    return image;
}
} // namespace

QImage IconRenderer::render(const IconEntry& icon, int size)
{
    if (icon.synthetic >= 0)
        return SyntheticIcons::draw(icon.synthetic, icon.name, size);
    if (icon.file.endsWith(".svg", Qt::CaseInsensitive))
        return renderSvg(icon.file, size);
    return renderPng(icon.file, size);
}
