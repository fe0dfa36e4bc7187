#include "catalogue-site/IconRenderer.h"

#include "catalogue-site/SyntheticIcons.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

namespace
{
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

QByteArray readBounded(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > IconRenderer::kMaxSourceBytes)
        return {};
    return file.readAll();
}

QImage renderSvg(const QString& path, int size)
{
    QImage image = blank(size);
    QSvgRenderer svg(readBounded(path));
    if (!svg.isValid())
        return image;
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    svg.render(&p, centredBox(svg.defaultSize(), size));
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
    if (source.isNull())
        return image;
    QPainter p(&image);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(centredBox(source.size(), size), source);
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
