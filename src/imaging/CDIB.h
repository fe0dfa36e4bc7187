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
// clipboard; copied to the clipboard or another CDIB; written as a BMP file; drawn onto any
// QPainter. Device contexts are QPainter targets for drawing out and QImage sources for copying
// in; DibPainter draws into the section. Operations on an empty object do nothing and give 0.
class CDIB
{
public:
    // The clipboard format carrying the packed DIB bytes, as Qt names Windows' CF_DIB.
    static const QString kClipboardDibFormat;

    CDIB() = default;
    ~CDIB() { Destroy(); }
    CDIB(const CDIB&) = delete;
    CDIB& operator=(const CDIB&) = delete;

    bool Create(int NewWidth, int NewHeight, int NewBPP);
    // Returns the bits per pixel, 0 when the file is missing, empty, refused or undecodable.
    int CreateFromBitmapFile(const QString& Filename);
    // Filename is a folder (":/..." resources or on disk) or a compiled ".rcc" resource file
    // standing in for a module; the bitmap is "<ResID>.bmp" in it.
    int CreateFromResourceBitmap(const QString& Filename, int ResID);
    // Copies an image at its own depth (indexed images keep their colour table), or at 32 bits
    // when force is set.
    int CreateFromStdPicture(const QImage& picture, bool force = false);
    int CreateFromStdPicture(const QPixmap& picture, bool force = false);
    // Reads the clipboard's packed DIB (or, lacking one, its image at 32 bits); 0 when it holds
    // neither or the DIB bytes are malformed.
    int CreateFromClipboard();
    // Puts the packed DIB bytes and the image on the clipboard; returns the block's byte count
    // (non-zero), 0 when empty.
    qsizetype CopyToClipboard() const;
    int CloneTo(CDIB& target) const;
    // Writes a BMP file through `files` (a link at Filename is followed): the file is replaced
    // only when every write succeeded, else it stays as it was.
    bool Save(const QString& Filename, FileWriter& files = FileWriter::system()) const;
    bool Save(QIODevice& out) const;
    void Destroy();

    // Copies from (x, y) of the source to (0, 0); a width or height of 0 means the section's own.
    int LoadBlt(const QImage& hSrcDC, int x = 0, int y = 0, int nWidth = 0, int nHeight = 0);
    int Paint(QPainter& hDC, int x = 0, int y = 0, quint32 ROP = RasterOperation::SRCCOPY) const;
    int Stretch(QPainter& hDC, int x, int y, int nWidth, int nHeight, int xSrc = 0, int ySrc = 0,
                int nSrcWidth = 0, int nSrcHeight = 0, quint32 ROP = RasterOperation::SRCCOPY,
                int StretchBltMode = RasterOperation::COLORONCOLOR) const;
    int Stretch24(QPainter& hDC, int x, int y, int nWidth, int nHeight, int xSrc = 0, int ySrc = 0,
                  int nSrcWidth = 0, int nSrcHeight = 0, quint32 ROP = RasterOperation::SRCCOPY) const;
    // ColorRef is GDI's 0x00BBGGRR.
    void Cls(quint32 ColorRef = 0);
    void Reset();
    void SetPalette(const QByteArray& Palette);
    // Palette receives the whole colour table, 4 bytes per entry (empty above 8 bits).
    void GetPalette(QByteArray& Palette) const;

    QImage hDC() const { return m_section.toImage(); }
    quintptr hDIB() const { return quintptr(m_section.bits()); }
    uchar* lpBits() { return m_section.bits(); }
    const uchar* lpBits() const { return m_section.bits(); }
    int Width() const { return m_section.width(); }
    int Height() const { return m_section.height(); }
    int BPP() const { return m_section.bpp(); }
    int BytesPerScanLine() const { return m_section.stride(); }
    int Size() const { return m_section.size(); }
    // A screen-compatible pixmap on which Paint drew the section; null when empty.
    QPixmap Image() const;

    DibSection& section() { return m_section; }
    const DibSection& section() const { return m_section; }

private:
    int loadBitmapPath(const QString& path);

    DibSection m_section;
};
