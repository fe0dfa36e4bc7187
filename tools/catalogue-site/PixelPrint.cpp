#include "catalogue-site/PixelPrint.h"

#include <algorithm>
#include <cstdlib>

namespace
{
constexpr int kVisibleAlpha = 16;
// Smoothing moves a channel by less than this (next to where it is drawn); a recolouring by more.
constexpr int kEdgeDifference = 48;
// Share of pixels (of 1000) that may differ by more than smoothing does.
constexpr int kMaxDifferentPerMille = 15;
constexpr int kMaxCellDifference = 24;

int channelDifference(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
}
// Pixels of `a` that no pixel of `b` at the same place or one step away matches (so a drawing
// smoothed or placed a fraction of a pixel differently still matches); counting stops past `limit`.
int differentPixels(const QImage& a, const QImage& b, int limit)
{
    const int size = a.width();
    int different = 0;
    for (int y = 0; y < size && different <= limit; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        for (int x = 0; x < size; ++x) {
            bool matched = false;
            for (int ny = std::max(y - 1, 0); ny <= std::min(y + 1, size - 1) && !matched; ++ny) {
                const auto* near = reinterpret_cast<const QRgb*>(b.constScanLine(ny));
                for (int nx = std::max(x - 1, 0); nx <= std::min(x + 1, size - 1) && !matched; ++nx)
                    matched = channelDifference(line[x], near[nx]) <= kEdgeDifference;
            }
            different += matched ? 0 : 1;
        }
    }
    return different;
}
} // namespace

PixelPrint::PixelPrint(const QImage& picture)
    : m_pixels(picture.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                   .scaled(kSize, kSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                   .scaled(kCompared, kCompared, Qt::IgnoreAspectRatio, Qt::SmoothTransformation))
{
    const int cell = kCompared / kCells;
    for (int y = 0; y < kCompared; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(m_pixels.constScanLine(y));
        for (int x = 0; x < kCompared; ++x) {
            const QRgb p = line[x];
            m_visible += qAlpha(p) >= kVisibleAlpha ? 1 : 0;
            const size_t c = size_t((y / cell) * kCells + x / cell) * 4;
            m_cells[c] += qRed(p);
            m_cells[c + 1] += qGreen(p);
            m_cells[c + 2] += qBlue(p);
            m_cells[c + 3] += qAlpha(p);
        }
    }
    for (int& sum : m_cells)
        sum /= cell * cell;
}

bool PixelPrint::sameAs(const PixelPrint& other) const
{
    if (m_pixels.isNull() || other.m_pixels.isNull())
        return false;
    for (size_t i = 0; i < m_cells.size(); ++i)
        if (std::abs(m_cells[i] - other.m_cells[i]) > kMaxCellDifference)
            return false;
    const int allowed = kMaxDifferentPerMille * kCompared * kCompared / 1000;
    return differentPixels(m_pixels, other.m_pixels, allowed) <= allowed &&
           differentPixels(other.m_pixels, m_pixels, allowed) <= allowed;
}
