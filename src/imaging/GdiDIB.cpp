#include "imaging/GdiDIB.h"

#include <QImageReader>

#include <algorithm>
#include <cmath>

bool GdiDIB::Create(int NewWidth, int NewHeight, int NewBPP)
{
    Destroy();
    if (!m_section.create(NewWidth, NewHeight, NewBPP))
        return false;
    m_sectionWidth = m_section.width();
    m_sectionHeight = m_section.height();
    m_bpp = m_section.bpp();
    m_stride = m_section.stride();
    m_size = m_section.size();
    return true;
}

void GdiDIB::CloneTo(GdiDIB& target) const
{
    if (m_section.isEmpty() || !target.Create(m_sectionWidth, m_sectionHeight, m_bpp))
        return;
    if (m_bpp <= 8) {
        QByteArray palette;
        GetPalette(palette);
        target.SetPalette(palette);
    }
    std::copy_n(m_section.bits(), m_size, target.lpBits());
}

void GdiDIB::Destroy()
{
    m_section.destroy();
    m_sectionWidth = m_sectionHeight = m_bpp = m_stride = m_size = 0;
    m_image = QImage();
    m_width = m_height = 0;
}

int GdiDIB::LoadBlt(const QImage& hSrcDC, int x, int y, int nWidth, int nHeight)
{
    const int w = nWidth ? nWidth : m_sectionWidth;
    const int h = nHeight ? nHeight : m_sectionHeight;
    return m_section.loadBlt(hSrcDC, QRect(x, y, w, h));
}

void GdiDIB::Paint(QPainter& hDC, int x, int y, int nW, int nH) const
{
    m_section.stretchTo(hDC, QRect(x, y, nW, nH), QRect(0, 0, nW, nH), RasterOperation::SRCCOPY,
                        RasterOperation::COLORONCOLOR);
}

int GdiDIB::Stretch(QPainter& hDC, int x, int y, int nWidth, int nHeight, int xSrc, int ySrc, int nSrcWidth,
                    int nSrcHeight, quint32 lROP) const
{
    const int sw = nSrcWidth ? nSrcWidth : m_sectionWidth;
    const int sh = nSrcHeight ? nSrcHeight : m_sectionHeight;
    return m_section.stretchTo(hDC, QRect(x, y, nWidth, nHeight), QRect(xSrc, ySrc, sw, sh), lROP,
                               RasterOperation::COLORONCOLOR);
}

void GdiDIB::Cls(quint32 ColorRef)
{
    m_section.fill(QRect(0, 0, m_sectionWidth, m_sectionHeight),
                   RasterOperation::colorFromColorRef(ColorRef));
}

void GdiDIB::FillColor(float x, float y, float W, float H, quint32 ColorRef)
{
    const int left = int(std::lrint(x)), top = int(std::lrint(y));
    const int right = int(std::lrint(W)), bottom = int(std::lrint(H));
    if (right <= left || bottom <= top)
        return; // an empty or inverted rectangle fills nothing
    m_section.fill(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)),
                   RasterOperation::colorFromColorRef(ColorRef));
}

void GdiDIB::Reset()
{
    m_section.reset();
}

void GdiDIB::SetPalette(const QByteArray& Palette)
{
    m_section.setPaletteBytes(Palette);
}

void GdiDIB::GetPalette(QByteArray& Palette) const
{
    Palette = m_section.paletteBytes();
}

int GdiDIB::Import(const QString& Filename)
{
    QImageReader reader(Filename);
    m_image = reader.read();
    m_width = m_image.width();
    m_height = m_image.height();
    return 0;
}
