#include "imaging/DrawingSurface.h"

#include <algorithm>

DrawingSurface::~DrawingSurface()
{
    destroy();
}

void DrawingSurface::createBlank(int height, int width, QImage::Format format)
{
    destroy();
    m_image = std::make_unique<QImage>(std::max(width, 0), std::max(height, 0), format);
    m_image->fill(0);
    m_painter = std::make_unique<QPainter>(m_image.get());
    m_imageHeight = height;
    m_imageWidth = width;
}

void DrawingSurface::createFromImage(QImage source)
{
    destroy();
    // Taken by value and converted in place: a picture handed over with std::move is not copied.
    m_image = std::make_unique<QImage>(std::move(source).convertToFormat(QImage::Format_ARGB32));
    m_painter = std::make_unique<QPainter>(m_image.get());
    m_imageWidth = m_image->width();
    m_imageHeight = m_image->height();
}

void DrawingSurface::clearScreen(quint32 color)
{
    if (!m_image)
        return;
    // The colour replaces every pixel, alpha included, whatever clip or transform is set.
    if (m_painter) {
        m_painter->save();
        m_painter->resetTransform();
        m_painter->setClipping(false);
        m_painter->setCompositionMode(QPainter::CompositionMode_Source);
        m_painter->fillRect(QRect(0, 0, m_image->width(), m_image->height()), QColor::fromRgba(color));
        m_painter->restore();
    } else {
        m_image->fill(QColor::fromRgba(color));
    }
}

void DrawingSurface::drawBackground(quint32 color)
{
    if (m_painter)
        m_painter->fillRect(QRect(0, 0, m_imageWidth, m_imageHeight), QColor::fromRgba(color));
}

QImage DrawingSurface::takeImage()
{
    m_painter.reset(); // the painter lets go of the picture before it is taken over
    QImage taken = m_image ? std::move(*m_image) : QImage();
    m_image.reset();
    return taken;
}

void DrawingSurface::destroy()
{
    m_painter.reset();
    m_image.reset();
}
