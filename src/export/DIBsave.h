#pragma once

#include "platform/FileWriter.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <QPainter>

#include <memory>

// File type codes shared by the save dialog, the export routine and the writer.
namespace FileType
{
constexpr int BMP = 0;
constexpr int JPEG = 1;
constexpr int GIF = 2;
constexpr int EMF = 3;
constexpr int WMF = 4;
constexpr int TIFF = 5;
constexpr int PNG = 6;
constexpr int ICO = 7;
} // namespace FileType

// An off-screen 32-bit bitmap (`Img`) with a painter drawing on it (`Graphics`), and the writer of
// that bitmap in the supported formats. Used as the export canvas and as a control's back buffer.
//
// Ownership: the object owns both. `Graphics` is valid while `Img` is held and is ended before
// the bitmap is released.
class DIBsave
{
public:
    // `files` writes what Save() produces.
    explicit DIBsave(FileWriter& files = FileWriter::system()) : m_files(files) {}
    ~DIBsave();
    DIBsave(const DIBsave&) = delete;
    DIBsave& operator=(const DIBsave&) = delete;

    // Painter on `Img`; empty when nothing is held.
    std::unique_ptr<QPainter> Graphics;
    // The held bitmap; empty when none.
    std::unique_ptr<QImage> Img;
    int ImgWidth = 0;
    int ImgHeight = 0;

    // The drawing surface for callers that want the device: the painter on `Img`.
    QPainter* hDC() const { return Graphics.get(); }

    // Free-standing size values, rounded to the nearest integer (halves to even); not tied to Img.
    float Width() const { return float(m_width); }
    void setWidth(float value);
    float Height() const { return float(m_height); }
    void setHeight(float value);
    bool FirstL() const { return m_firstL; }
    void setFirstL(bool value) { m_firstL = value; }

    // A new zero-filled (fully transparent) bitmap, height first. Releases what was held before.
    void CreateBlankMemory(int lngHeight, int lngWidth, QImage::Format PixelFormat = QImage::Format_ARGB32);
    // Adopts an image (converted to 32-bit ARGB) as the held bitmap; one handed over with std::move
    // is taken without a copy.
    void CreateBlankMemoryFromImg(QImage img);
    // Replaces every pixel with the colour (0xAARRGGBB; default fully transparent black).
    void ClearScreen(quint32 Color = 0);
    // Composites a solid rectangle of the colour over the whole bitmap.
    void DrawBackground(quint32 Color = 0);
    // Drops the bitmap (and the painter, which cannot outlive it).
    void ClearIMG();
    // Releases the painter and the bitmap.
    void Destroy();

    // Writes `Img` to `sFilename`. BMP, JPEG (with the quality), GIF (palette-reduced, optionally
    // keyed on alpha below GIF_TransValue; sides up to 65,535 pixels), TIFF (32-bit with alpha,
    // uncompressed), PNG, and EMF and WMF (the picture as a 24-bit bitmap; WMF sides up to 32,767
    // pixels) are written through `files` (a link at sFilename is followed): the target is replaced
    // only by a complete file, and a failed write leaves it as it was. ICO and unknown codes write
    // nothing. False on failure; lastError() then says why. GIF_Color, GIF_Dither, TIFF_ColorDepth
    // and TIFF_Compression are accepted and not used.
    bool Save(const QString& sFilename, int FileTypes, bool TransBG = false, int JPEG_Quality = 90,
              int GIF_Color = 0, bool GIF_Dither = false, int TIFF_ColorDepth = 24, int TIFF_Compression = 6,
              int GIF_TransValue = 130);
    QString lastError() const { return m_error; }

    // Draws a diagonal hatch (every 7 pixels) of translucent magenta on the given image.
    void DrawCopyrightLines(QImage& hBitmap) const;
    // Draws the GIF conversion of Img (keyed on alpha below Optimized) centred on a nW x nH area.
    void DemoGIFimage(QPainter& graphics, int nW, int nH, int Optimized = 130) const;
    // Draws Img centred (and clipped) on a nW x nH area of the painter.
    void EdgeSmoothimg(QPainter& graphics, int nW, int nH, int Optimized = 0) const;
    // Whether the pixel (Bx, By) of Img has an alpha above OptValue.
    bool CreateRgn(int nImg24, int OptValue, int Bx, int By) const;

    // Replaces `image` by its 8-bit palette version (octree, at most 256 colours; left as it is
    // when that fails). With `transparent` the image is taken as a keyed copy whose black pixels
    // are the transparency key: they get a transparent entry that no visible pixel uses (see
    // PaletteReduction). Returns 9. `key` is accepted and not used.
    static int PaletteImageGIF(QImage& image, bool transparent, quint32 key = 0xFF000000u);

    // Index (1-based) of the writer for a MIME type, compared ignoring case, and its format name;
    // -1 when no writer handles it (the format is then left unchanged).
    static int GetEncoderClsid(const QString& mimeType, QByteArray& format);

private:
    bool saveWithWriter(const QString& fileName, const QImage& image, const QString& mimeType, int quality,
                        int compression);
    std::unique_ptr<AtomicFile> beginFile(const QString& fileName);
    bool commitFile(AtomicFile& file);
    bool saveGif(const QString& fileName, bool transBG, int transValue);
    bool saveMetafile(const QString& fileName, int fileType);
    bool fail(const QString& message);

    FileWriter& m_files;
    int m_width = 0;
    int m_height = 0;
    bool m_firstL = false;
    QString m_error;
};
