#pragma once

#include <QImage>
#include <QPainter>

class DibSection;

// Draws into a section with a QPainter, as GDI calls on the section's device context do. The
// painter works on a top-down copy; when the DibPainter ends, the pixels that changed are stored
// back (nearest table entry at the palette depths, fourth byte 0 at 32 bits).
class DibPainter
{
public:
    explicit DibPainter(DibSection& section);
    ~DibPainter();
    DibPainter(const DibPainter&) = delete;
    DibPainter& operator=(const DibPainter&) = delete;

    // Inactive when the section is empty.
    QPainter& painter() { return m_painter; }
    QPainter* operator->() { return &m_painter; }

private:
    DibSection& m_section;
    QImage m_before;
    QImage m_canvas;
    QPainter m_painter;
};
