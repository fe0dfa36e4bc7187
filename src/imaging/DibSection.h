#pragma once

#include "imaging/BitmapInfoHeader.h"

#include <QByteArray>
#include <QImage>
#include <QRect>

#include <memory>

class QPainter;

// The pixel store shared by DibBitmap and DibCanvas: the 40-byte header, the colour table and the pixel
// bytes laid out as a GDI section: rows bottom-up, each padded to 32 bits. 1, 4 and 8 bits per
// pixel index the colour table (most significant bits first); 24 and 32 bits hold B, G, R (, x).
// Coordinates taken by the methods below are top-down, as for any drawing surface.
class DibSection
{
public:
    DibSection() = default;
    DibSection(const DibSection&) = delete;
    DibSection& operator=(const DibSection&) = delete;

    // Replaces what is held by a zeroed section; false (and empty) for an unsupported depth or a
    // size outside the header's limits.
    bool create(int width, int height, int bpp);
    void destroy();
    bool isEmpty() const { return !m_bits; }

    const BitmapInfoHeader& header() const { return m_header; }
    int width() const { return m_header.biWidth; }
    int height() const { return m_header.biHeight; }
    int bpp() const { return m_header.biBitCount; }
    int stride() const { return m_stride; }
    int size() const { return int(m_header.biSizeImage); }
    uchar* bits() { return m_bits.get(); }
    const uchar* bits() const { return m_bits.get(); }
    // The memory of the row that appears at top-down position y.
    uchar* scanLine(int y) { return m_bits.get() + qsizetype(height() - 1 - y) * m_stride; }
    const uchar* scanLine(int y) const { return m_bits.get() + qsizetype(height() - 1 - y) * m_stride; }

    int paletteEntries() const { return BitmapInfoHeader::paletteEntries(bpp()); }
    // Colour table as bytes, 4 per entry (blue, green, red, 0).
    QByteArray paletteBytes() const { return m_palette; }
    // Writes entries from 0: (bytes / 4) of them, never more than the table holds.
    void setPaletteBytes(const QByteArray& bytes);
    QList<QRgb> colorTable() const;

    uint pixelIndex(int x, int y) const;
    void setPixelIndex(int x, int y, uint index);
    QRgb pixel(int x, int y) const;
    // Stores a colour: the nearest table entry for the palette depths. keepAlpha writes the
    // colour's alpha into the fourth byte of a 32-bit pixel, else that byte is 0 as GDI leaves it.
    void setPixel(int x, int y, QRgb color, bool keepAlpha = false);
    int nearestIndex(QRgb color) const;

    // A top-down image of the pixels: Indexed8 with the colour table, BGR888 or opaque RGB32.
    QImage toImage() const;
    // Copies an image's pixels to 'at', clipped to the section. When 'before' (same size as the
    // image) is given, pixels equal to it are left alone, so untouched palette indices survive a
    // drawing round trip.
    void writeImage(const QImage& image, QPoint at = {}, const QImage* before = nullptr);
    // Copies the part of src at srcRect (clipped to src) to (0, 0) of the section; 0 when empty.
    int loadBlt(const QImage& src, const QRect& srcRect);
    // Copies the palette and indices of an indexed image without colour matching.
    void writeIndexed(const QImage& image);

    void fill(const QRect& rect, QRgb color);
    void reset();

    // Draws the source rectangle of the section into the target rectangle of a painter with a
    // raster operation and a stretch mode; restores the painter's state. 0 on failure.
    int stretchTo(QPainter& target, const QRect& dst, const QRect& src, quint32 rop, int stretchMode) const;

private:
    BitmapInfoHeader m_header;
    int m_stride = 0;
    QByteArray m_palette;
    std::unique_ptr<uchar[]> m_bits;
};
