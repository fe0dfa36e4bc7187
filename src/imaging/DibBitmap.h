#pragma once

#include "imaging/DibSection.h"
#include "imaging/RasterOperation.h"
#include "platform/FileWriter.h"

#include <QImage>
#include <QPixmap>
#include <QString>

class QIODevice;
class QPainter;

// A device-independent bitmap section: GDI's header and bottom-up, 32-bit aligned rows at 1, 4,
// 8, 24 or 32 bits per pixel. Created empty or from a BMP file, a resource, an image or the
// clipboard; copied to the clipboard or another DibBitmap; written as a BMP file; drawn onto any
// QPainter. Device contexts are QPainter targets for drawing out and QImage sources for copying
// in; DibPainter draws into the section. Operations on an empty object do nothing and give 0.
class DibBitmap
{
public:
    // The clipboard format carrying the packed DIB bytes, as Qt names Windows' CF_DIB.
    static const QString kClipboardDibFormat;

    DibBitmap() = default;
    ~DibBitmap() { destroy(); }
    DibBitmap(const DibBitmap&) = delete;
    DibBitmap& operator=(const DibBitmap&) = delete;

    bool create(int newWidth, int newHeight, int newBpp);
    // Returns the bits per pixel, 0 when the file is missing, empty, refused or undecodable.
    int createFromBitmapFile(const QString& fileName);
    // fileName is a folder (":/..." resources or on disk) or a compiled ".rcc" resource file
    // standing in for a module; the bitmap is "<resourceId>.bmp" in it.
    int createFromResource(const QString& fileName, int resourceId);
    // Copies an image at its own depth (indexed images keep their colour table), or at 32 bits
    // when force is set.
    int createFromPicture(const QImage& picture, bool force = false);
    int createFromPicture(const QPixmap& picture, bool force = false);
    // Reads the clipboard's packed DIB (or, lacking one, its image at 32 bits); 0 when it holds
    // neither or the DIB bytes are malformed.
    int createFromClipboard();
    // Puts the packed DIB bytes and the image on the clipboard; returns the block's byte count
    // (non-zero), 0 when empty.
    qsizetype copyToClipboard() const;
    int cloneTo(DibBitmap& target) const;
    // Writes a BMP file through `files` (a link at fileName is followed): the file is replaced
    // only when every write succeeded, else it stays as it was.
    bool save(const QString& fileName, FileWriter& files = FileWriter::system()) const;
    bool save(QIODevice& out) const;
    void destroy();

    // Copies from (x, y) of the source to (0, 0); a width or height of 0 means the section's own.
    int copyFrom(const QImage& source, int x = 0, int y = 0, int copyWidth = 0, int copyHeight = 0);
    int paint(QPainter& painter, int x = 0, int y = 0, quint32 rop = RasterOperation::SRCCOPY) const;
    int stretch(QPainter& painter, int x, int y, int copyWidth, int copyHeight, int sourceX = 0,
                int sourceY = 0, int sourceWidth = 0, int sourceHeight = 0,
                quint32 rop = RasterOperation::SRCCOPY,
                int stretchMode = RasterOperation::COLORONCOLOR) const;
    int stretch24(QPainter& painter, int x, int y, int copyWidth, int copyHeight, int sourceX = 0,
                  int sourceY = 0, int sourceWidth = 0, int sourceHeight = 0,
                  quint32 rop = RasterOperation::SRCCOPY) const;
    // color is GDI's 0x00BBGGRR.
    void clear(quint32 color = 0);
    void reset();
    void setPalette(const QByteArray& palette);
    // palette receives the whole colour table, 4 bytes per entry (empty above 8 bits).
    void readPalette(QByteArray& palette) const;

    QImage toImage() const { return m_section.toImage(); }
    quintptr bitsAddress() const { return quintptr(m_section.bits()); }
    uchar* bits() { return m_section.bits(); }
    const uchar* bits() const { return m_section.bits(); }
    int width() const { return m_section.width(); }
    int height() const { return m_section.height(); }
    int bpp() const { return m_section.bpp(); }
    int bytesPerScanLine() const { return m_section.stride(); }
    int size() const { return m_section.size(); }
    // A screen-compatible pixmap on which paint drew the section; null when empty.
    QPixmap toPixmap() const;

    DibSection& section() { return m_section; }
    const DibSection& section() const { return m_section; }

private:
    int loadBitmapPath(const QString& path);

    DibSection m_section;
};
