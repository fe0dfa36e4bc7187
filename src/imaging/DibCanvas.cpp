#include "imaging/DibCanvas.h"

#include <QImageReader>

#include <algorithm>
#include <cmath>

bool DibCanvas::create(int newWidth, int newHeight, int newBpp)
{
    destroy();
    if (!m_section.create(newWidth, newHeight, newBpp))
        return false;
    m_sectionWidth = m_section.width();
    m_sectionHeight = m_section.height();
    m_bpp = m_section.bpp();
    m_stride = m_section.stride();
    m_size = m_section.size();
    return true;
}

void DibCanvas::cloneTo(DibCanvas& target) const
{
    if (m_section.isEmpty() || !target.create(m_sectionWidth, m_sectionHeight, m_bpp))
        return;
    if (m_bpp <= 8) {
        QByteArray palette;
        readPalette(palette);
        target.setPalette(palette);
    }
    std::copy_n(m_section.bits(), m_size, target.bits());
}

void DibCanvas::destroy()
{
    m_section.destroy();
    m_sectionWidth = m_sectionHeight = m_bpp = m_stride = m_size = 0;
    m_image = QImage();
    m_width = m_height = 0;
}

int DibCanvas::copyFrom(const QImage& source, int x, int y, int copyWidth, int copyHeight)
{
    const int w = copyWidth ? copyWidth : m_sectionWidth;
    const int h = copyHeight ? copyHeight : m_sectionHeight;
    return m_section.loadBlt(source, QRect(x, y, w, h));
}

void DibCanvas::paint(QPainter& painter, int x, int y, int w, int h) const
{
    m_section.stretchTo(painter, QRect(x, y, w, h), QRect(0, 0, w, h), RasterOperation::SRCCOPY,
                        RasterOperation::COLORONCOLOR);
}

int DibCanvas::stretch(QPainter& painter, int x, int y, int copyWidth, int copyHeight, int sourceX,
                       int sourceY, int sourceWidth, int sourceHeight, quint32 rop) const
{
    const int sw = sourceWidth ? sourceWidth : m_sectionWidth;
    const int sh = sourceHeight ? sourceHeight : m_sectionHeight;
    return m_section.stretchTo(painter, QRect(x, y, copyWidth, copyHeight), QRect(sourceX, sourceY, sw, sh),
                               rop, RasterOperation::COLORONCOLOR);
}

void DibCanvas::clear(quint32 color)
{
    m_section.fill(QRect(0, 0, m_sectionWidth, m_sectionHeight), RasterOperation::colorFromColorRef(color));
}

void DibCanvas::fillColor(float x, float y, float w, float h, quint32 color)
{
    const int left = int(std::lrint(x)), top = int(std::lrint(y));
    const int right = int(std::lrint(w)), bottom = int(std::lrint(h));
    if (right <= left || bottom <= top)
        return; // an empty or inverted rectangle fills nothing
    m_section.fill(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)),
                   RasterOperation::colorFromColorRef(color));
}

void DibCanvas::reset()
{
    m_section.reset();
}

void DibCanvas::setPalette(const QByteArray& palette)
{
    m_section.setPaletteBytes(palette);
}

void DibCanvas::readPalette(QByteArray& palette) const
{
    palette = m_section.paletteBytes();
}

int DibCanvas::importFile(const QString& fileName)
{
    QImageReader reader(fileName);
    m_image = reader.read();
    m_width = m_image.width();
    m_height = m_image.height();
    return 0;
}
