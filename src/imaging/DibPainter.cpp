#include "imaging/DibPainter.h"

#include "imaging/DibSection.h"

DibPainter::DibPainter(DibSection& section) : m_section(section)
{
    if (section.isEmpty())
        return;
    m_before = section.toImage().convertToFormat(QImage::Format_RGB32);
    m_canvas = m_before.copy();
    m_painter.begin(&m_canvas);
}

DibPainter::~DibPainter()
{
    if (!m_painter.isActive())
        return;
    m_painter.end();
    m_section.writeImage(m_canvas, {}, &m_before);
}
