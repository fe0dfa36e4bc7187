#include "catalogue-site/IconRenderer.h"

#include "catalogue-site/SyntheticIcons.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

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

// Drawn twice: once on a probe to find where the drawing is on its page, then sharp at the size
// asked for, with the drawing (not its page) filling the square.
QImage renderSvg(const QString& path, int size)
{
    QImage image = blank(size);
    QSvgRenderer svg(readBounded(path));
    if (!svg.isValid())
        return image;
    const QRectF page = centredBox(svg.defaultSize(), kProbeSize);
    QImage probe = blank(kProbeSize);
    {
        QPainter p(&probe);
        smoothPainter(p);
        svg.render(&p, page);
    }
    const QRect drawing = visibleBounds(probe);
    if (drawing.isEmpty())
        return image;
    QPainter p(&image);
    smoothPainter(p);
    svg.render(&p, fillSquare(page, QRectF(drawing).adjusted(0, 0, 1, 1), size));
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
