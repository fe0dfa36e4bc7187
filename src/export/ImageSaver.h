#pragma once

#include "imaging/DrawingSurface.h"
#include "platform/FileWriter.h"

#include <QByteArray>
#include <QImage>
#include <QString>

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

// The export canvas: a drawing surface and the writer of its bitmap in the supported formats.
class ImageSaver : public DrawingSurface
{
public:
    // `files` writes what save() produces.
    explicit ImageSaver(FileWriter& files = FileWriter::system()) : m_files(files) {}

    // Writes image() to `fileName`. BMP, JPEG (with the quality), GIF (palette-reduced, optionally
    // keyed on alpha below gifTransparencyThreshold; sides up to 65,535 pixels), TIFF (32-bit with alpha,
    // uncompressed), PNG, and EMF and WMF (the picture as a 24-bit bitmap; WMF sides up to 32,767
    // pixels) are written through `files` (a link at fileName is followed): the target is replaced
    // only by a complete file, and a failed write leaves it as it was. ICO and unknown codes write
    // nothing. False on failure; lastError() then says why. gifColors, gifDither, tiffColorDepth
    // and tiffCompression are accepted and not used.
    bool save(const QString& fileName, int fileType, bool transparentBackground = false, int jpegQuality = 90,
              int gifColors = 0, bool gifDither = false, int tiffColorDepth = 24, int tiffCompression = 6,
              int gifTransparencyThreshold = 130);
    QString lastError() const { return m_error; }

    // Draws a diagonal hatch (every 7 pixels) of translucent magenta on the given image.
    void drawCopyrightLines(QImage& image) const;
    // Draws the GIF conversion of image() (keyed on alpha below threshold) centred on a w x h area.
    void drawGifPreview(QPainter& graphics, int w, int h, int threshold = 130) const;
    // Draws image() centred (and clipped) on a w x h area of the painter.
    void drawSmoothed(QPainter& graphics, int w, int h, int threshold = 0) const;
    // Whether the pixel (x, y) of image() has an alpha above threshold.
    bool isOpaqueAt(int image24, int threshold, int x, int y) const;

    // Replaces `image` by its 8-bit palette version (octree, at most 256 colours; left as it is
    // when that fails). With `transparent` the image is taken as a keyed copy whose black pixels
    // are the transparency key: they get a transparent entry that no visible pixel uses (see
    // PaletteReduction). Returns 9. `key` is accepted and not used.
    static int toGifPalette(QImage& image, bool transparent, quint32 key = 0xFF000000u);

    // Index (1-based) of the writer for a MIME type, compared ignoring case, and its format name;
    // -1 when no writer handles it (the format is then left unchanged).
    static int encoderFormat(const QString& mimeType, QByteArray& format);

private:
    bool saveWithWriter(const QString& fileName, const QImage& image, const QString& mimeType, int quality,
                        int compression);
    std::unique_ptr<AtomicFile> beginFile(const QString& fileName);
    bool commitFile(AtomicFile& file);
    bool saveGif(const QString& fileName, bool transBG, int transValue);
    bool saveMetafile(const QString& fileName, int fileType);
    bool fail(const QString& message);

    FileWriter& m_files;
    QString m_error;
};
