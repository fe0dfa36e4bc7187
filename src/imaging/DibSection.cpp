#include "imaging/DibSection.h"

#include "imaging/RasterOperation.h"

#include <QPainter>

#include <climits>
#include <cstring>

namespace
{

QRgb entryColor(const QByteArray& palette, int index)
{
    const auto* p = reinterpret_cast<const uchar*>(palette.constData()) + index * 4;
    return qRgb(p[2], p[1], p[0]);
}

int distance(QRgb a, QRgb b)
{
    const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
    return dr * dr + dg * dg + db * db;
}

} // namespace

bool DibSection::create(int width, int height, int bpp)
{
    destroy();
    if (!BitmapInfoHeader::isSectionDepth(bpp) || height < 0 || !BitmapInfoHeader::isSaneSize(width, height))
        return false;
    m_stride = int(BitmapInfoHeader::stride(width, bpp));
    const qsizetype bytes = qsizetype(m_stride) * height;
    m_bits.reset(new (std::nothrow) uchar[bytes]());
    if (!m_bits) {
        destroy();
        return false;
    }
    m_header = BitmapInfoHeader{};
    m_header.biWidth = width;
    m_header.biHeight = height;
    m_header.biBitCount = quint16(bpp);
    m_header.biSizeImage = quint32(bytes);
    m_palette = QByteArray(BitmapInfoHeader::paletteEntries(bpp) * 4, '\0');
    return true;
}

void DibSection::destroy()
{
    m_bits.reset();
    m_header = BitmapInfoHeader{};
    m_header.biPlanes = 0;
    m_header.biSize = 0;
    m_stride = 0;
    m_palette.clear();
}

void DibSection::setPaletteBytes(const QByteArray& bytes)
{
    const qsizetype n = qMin(bytes.size() / 4 * 4, m_palette.size());
    std::memcpy(m_palette.data(), bytes.constData(), size_t(n));
    // The fourth byte of an entry is reserved and always 0.
    for (qsizetype i = 3; i < n; i += 4)
        m_palette[i] = '\0';
}

QList<QRgb> DibSection::colorTable() const
{
    QList<QRgb> table;
    for (int i = 0; i < paletteEntries(); ++i)
        table.append(entryColor(m_palette, i));
    return table;
}

uint DibSection::pixelIndex(int x, int y) const
{
    const uchar* row = scanLine(y);
    switch (bpp()) {
    case 1:
        return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4:
        return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F;
    default:
        return row[x];
    }
}

void DibSection::setPixelIndex(int x, int y, uint index)
{
    uchar* row = scanLine(y);
    switch (bpp()) {
    case 1: {
        const uchar mask = uchar(0x80 >> (x & 7));
        row[x >> 3] = uchar((row[x >> 3] & ~mask) | ((index & 1) ? mask : 0));
        break;
    }
    case 4: {
        const int shift = (x & 1) ? 0 : 4;
        row[x >> 1] = uchar((row[x >> 1] & ~(0x0F << shift)) | ((index & 0x0F) << shift));
        break;
    }
    default:
        row[x] = uchar(index);
    }
}

QRgb DibSection::pixel(int x, int y) const
{
    if (bpp() <= 8)
        return entryColor(m_palette, int(pixelIndex(x, y)));
    const uchar* p = scanLine(y) + x * (bpp() / 8);
    return qRgb(p[2], p[1], p[0]);
}

void DibSection::setPixel(int x, int y, QRgb color, bool keepAlpha)
{
    if (bpp() <= 8) {
        setPixelIndex(x, y, uint(nearestIndex(color)));
        return;
    }
    uchar* p = scanLine(y) + x * (bpp() / 8);
    p[0] = uchar(qBlue(color));
    p[1] = uchar(qGreen(color));
    p[2] = uchar(qRed(color));
    if (bpp() == 32)
        p[3] = keepAlpha ? uchar(qAlpha(color)) : 0;
}

int DibSection::nearestIndex(QRgb color) const
{
    int best = 0, bestDistance = INT_MAX;
    for (int i = 0; i < paletteEntries() && bestDistance > 0; ++i) {
        const int d = distance(color, entryColor(m_palette, i));
        if (d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

QImage DibSection::toImage() const
{
    if (isEmpty())
        return {};
    const int w = width(), h = height();
    if (bpp() <= 8) {
        QImage image(w, h, QImage::Format_Indexed8);
        image.setColorTable(colorTable());
        for (int y = 0; y < h; ++y) {
            uchar* out = image.scanLine(y);
            for (int x = 0; x < w; ++x)
                out[x] = uchar(pixelIndex(x, y));
        }
        return image;
    }
    QImage image(w, h, bpp() == 24 ? QImage::Format_BGR888 : QImage::Format_RGB32);
    const qsizetype rowBytes = qsizetype(w) * (bpp() / 8);
    for (int y = 0; y < h; ++y) {
        std::memcpy(image.scanLine(y), scanLine(y), size_t(rowBytes));
        if (bpp() == 32) {
            // The section's fourth byte is not alpha; the image is opaque.
            auto* px = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < w; ++x)
                px[x] |= 0xFF000000u;
        }
    }
    return image;
}

void DibSection::writeImage(const QImage& image, QPoint at, const QImage* before)
{
    if (isEmpty() || image.isNull())
        return;
    const bool keepAlpha = image.hasAlphaChannel();
    const QImage src = image.convertToFormat(keepAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    QImage old;
    if (before)
        old = before->convertToFormat(src.format());
    const bool compare = !old.isNull() && old.size() == src.size();
    const QRect area = QRect(at, src.size()).intersected(QRect(0, 0, width(), height()));
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(y - at.y()));
        const auto* was = compare ? reinterpret_cast<const QRgb*>(old.constScanLine(y - at.y())) : nullptr;
        for (int x = area.left(); x <= area.right(); ++x) {
            const int sx = x - at.x();
            if (!was || was[sx] != in[sx])
                setPixel(x, y, in[sx], keepAlpha);
        }
    }
}

void DibSection::writeIndexed(const QImage& image)
{
    if (isEmpty() || bpp() > 8 || image.isNull())
        return;
    const QImage src = image.convertToFormat(QImage::Format_Indexed8);
    QByteArray table;
    for (QRgb c : src.colorTable()) {
        const char entry[4] = {char(qBlue(c)), char(qGreen(c)), char(qRed(c)), 0};
        table.append(entry, 4);
    }
    setPaletteBytes(table);
    const uint limit = uint(paletteEntries());
    const int w = qMin(width(), src.width()), h = qMin(height(), src.height());
    for (int y = 0; y < h; ++y) {
        const uchar* in = src.constScanLine(y);
        for (int x = 0; x < w; ++x)
            setPixelIndex(x, y, in[x] < limit ? in[x] : 0);
    }
}

int DibSection::loadBlt(const QImage& src, const QRect& srcRect)
{
    if (isEmpty())
        return 0;
    // Parts of the source rectangle outside the source image leave the section as it was.
    const QRect from = srcRect.intersected(src.rect());
    if (!from.isEmpty())
        writeImage(src.copy(from), from.topLeft() - srcRect.topLeft());
    return 1;
}

void DibSection::fill(const QRect& rect, QRgb color)
{
    const QRect area = rect.intersected(QRect(0, 0, width(), height()));
    if (isEmpty() || area.isEmpty())
        return;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            setPixel(x, y, color);
}

void DibSection::reset()
{
    if (!isEmpty())
        std::memset(m_bits.get(), 0, size_t(size()));
}

int DibSection::stretchTo(QPainter& target, const QRect& dst, const QRect& src, quint32 rop,
                          int stretchMode) const
{
    const auto mode = RasterOperation::compositionFor(rop);
    if (isEmpty() || !target.isActive() || !mode)
        return 0;
    target.save();
    target.setCompositionMode(*mode);
    target.setRenderHint(QPainter::SmoothPixmapTransform, RasterOperation::smoothsFor(stretchMode));
    target.drawImage(dst, toImage(), src);
    target.restore();
    return 1;
}
