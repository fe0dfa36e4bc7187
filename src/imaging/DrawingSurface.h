#pragma once

#include <QImage>
#include <QPainter>

#include <memory>

// An off-screen 32-bit bitmap with a painter drawing on it: the export canvas and a control's back
// buffer. The surface owns both; the painter is valid while the bitmap is held and is ended before
// the bitmap is released.
class DrawingSurface
{
public:
    DrawingSurface() = default;
    ~DrawingSurface();
    DrawingSurface(const DrawingSurface&) = delete;
    DrawingSurface& operator=(const DrawingSurface&) = delete;

    // The painter on image(); null when nothing is held.
    [[nodiscard]] QPainter* painter() const { return m_painter.get(); }
    // The held bitmap; null when none.
    [[nodiscard]] QImage* image() const { return m_image.get(); }
    [[nodiscard]] int imageWidth() const { return m_imageWidth; }
    [[nodiscard]] int imageHeight() const { return m_imageHeight; }

    // A new zero-filled (fully transparent) bitmap, height first. Releases what was held before.
    void createBlank(int height, int width, QImage::Format format = QImage::Format_ARGB32);
    // Adopts an image (converted to 32-bit ARGB) as the held bitmap; one handed over with std::move
    // is taken without a copy.
    void createFromImage(QImage source);
    // Replaces every pixel with the colour (0xAARRGGBB; default fully transparent black).
    void clearScreen(quint32 color = 0);
    // Composites a solid rectangle of the colour over the whole bitmap.
    void drawBackground(quint32 color = 0);
    // Ends the painter and hands the bitmap over without a copy; the surface is empty afterwards.
    [[nodiscard]] QImage takeImage();
    // Releases the painter and the bitmap.
    void destroy();

private:
    std::unique_ptr<QImage> m_image;
    std::unique_ptr<QPainter> m_painter;
    int m_imageWidth = 0;
    int m_imageHeight = 0;
};
