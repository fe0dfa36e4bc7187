#pragma once

#include "imaging/DibSection.h"
#include "imaging/RasterOperation.h"

#include <QImage>
#include <QString>

class QPainter;

// The light sibling of DibBitmap: the same section without the file, resource, picture and clipboard
// operations, with its figures kept in fields of their own, plus a slot holding one image with
// its own width and height.
class DibCanvas
{
public:
    DibCanvas() = default;
    ~DibCanvas() { destroy(); }
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    bool create(int newWidth, int newHeight, int newBpp);
    void cloneTo(DibCanvas& target) const;
    // Also empties the image slot and zeroes width and height.
    void destroy();
    int copyFrom(const QImage& source, int x = 0, int y = 0, int copyWidth = 0, int copyHeight = 0);
    // A plain copy of w x h pixels from the section's (0, 0) to (x, y).
    void paint(QPainter& painter, int x, int y, int w, int h) const;
    // Always colour-on-colour (no smoothing).
    int stretch(QPainter& painter, int x, int y, int copyWidth, int copyHeight, int sourceX = 0,
                int sourceY = 0, int sourceWidth = 0, int sourceHeight = 0,
                quint32 rop = RasterOperation::SRCCOPY) const;
    void clear(quint32 color = 0);
    // Fills from the left/top edges (x, y) up to the right/bottom edges (w, h), exclusive; each
    // edge rounded to the nearest integer, halves to even.
    void fillColor(float x, float y, float w, float h, quint32 color = 0);
    void reset();
    void setPalette(const QByteArray& palette);
    void readPalette(QByteArray& palette) const;

    QImage toImage() const { return m_section.toImage(); }
    quintptr bitsAddress() const { return quintptr(m_section.bits()); }
    uchar* bits() { return m_section.bits(); }
    const uchar* bits() const { return m_section.bits(); }
    int sectionWidth() const { return m_sectionWidth; }
    int sectionHeight() const { return m_sectionHeight; }
    int bpp() const { return m_bpp; }
    int bytesPerScanLine() const { return m_stride; }
    int size() const { return m_size; }
    int bytesPerThreeScanLines() const { return 3 * m_stride; }

    // The image slot: set stores a copy (releasing the image held before), get returns a copy.
    void setImage(const QImage& image) { m_image = image.copy(); }
    QImage image() const { return m_image.copy(); }
    int width() const { return m_width; }
    void setWidth(int width) { m_width = width; }
    int height() const { return m_height; }
    void setHeight(int height) { m_height = height; }
    // Loads the file into the slot and takes its pixel size (0 x 0 when unreadable); always 0.
    int importFile(const QString& fileName);

    DibSection& section() { return m_section; }
    const DibSection& section() const { return m_section; }

private:
    QImage m_image;
    int m_width = 0;
    int m_height = 0;
    DibSection m_section;
    int m_sectionWidth = 0;
    int m_sectionHeight = 0;
    int m_bpp = 0;
    int m_stride = 0;
    int m_size = 0;
};
