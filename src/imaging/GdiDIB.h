#pragma once

#include "imaging/DibSection.h"
#include "imaging/RasterOperation.h"

#include <QImage>
#include <QString>

class QPainter;

// The light sibling of CDIB: the same section without the file, resource, picture and clipboard
// operations, with its figures kept in fields of their own, plus a slot holding one image with
// its own width and height.
class GdiDIB
{
public:
    GdiDIB() = default;
    ~GdiDIB() { Destroy(); }
    GdiDIB(const GdiDIB&) = delete;
    GdiDIB& operator=(const GdiDIB&) = delete;

    bool Create(int NewWidth, int NewHeight, int NewBPP);
    void CloneTo(GdiDIB& target) const;
    // Also empties the image slot and zeroes Width and Height.
    void Destroy();
    int LoadBlt(const QImage& hSrcDC, int x = 0, int y = 0, int nWidth = 0, int nHeight = 0);
    // A plain copy of nW x nH pixels from the section's (0, 0) to (x, y).
    void Paint(QPainter& hDC, int x, int y, int nW, int nH) const;
    // Always colour-on-colour (no smoothing).
    int Stretch(QPainter& hDC, int x, int y, int nWidth, int nHeight, int xSrc = 0, int ySrc = 0,
                int nSrcWidth = 0, int nSrcHeight = 0, quint32 lROP = RasterOperation::SRCCOPY) const;
    void Cls(quint32 ColorRef = 0);
    // Fills from the left/top edges (x, y) up to the right/bottom edges (W, H), exclusive; each
    // edge rounded to the nearest integer, halves to even.
    void FillColor(float x, float y, float W, float H, quint32 ColorRef = 0);
    void Reset();
    void SetPalette(const QByteArray& Palette);
    void GetPalette(QByteArray& Palette) const;

    QImage hDC() const { return m_section.toImage(); }
    quintptr hDIB() const { return quintptr(m_section.bits()); }
    uchar* lpBits() { return m_section.bits(); }
    const uchar* lpBits() const { return m_section.bits(); }
    int hWidth() const { return m_sectionWidth; }
    int hHeight() const { return m_sectionHeight; }
    int BPP() const { return m_bpp; }
    int BytesPerScanLine() const { return m_stride; }
    int Size() const { return m_size; }
    int BytesPerScanlines() const { return 3 * m_stride; }

    // The image slot: set stores a copy (releasing the image held before), get returns a copy.
    void setDIB(const QImage& image) { m_image = image.copy(); }
    QImage DIB() const { return m_image.copy(); }
    int Width() const { return m_width; }
    void setWidth(int New_Width) { m_width = New_Width; }
    int Height() const { return m_height; }
    void setHeight(int New_Height) { m_height = New_Height; }
    // Loads the file into the slot and takes its pixel size (0 x 0 when unreadable); always 0.
    int Import(const QString& Filename);

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
