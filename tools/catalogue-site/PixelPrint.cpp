#include "catalogue-site/PixelPrint.h"

#include <QRect>

#include <algorithm>
#include <array>
#include <cstdlib>

namespace
{
constexpr int kVisibleAlpha = 16;
// Smoothing moves a channel by less than this past its neighbours' range; a recolouring by more.
constexpr int kEdgeDifference = 48;
// Share of pixels (of 1000) that may differ by more than smoothing does.
constexpr int kMaxDifferentPerMille = 15;
constexpr int kMaxCellDifference = 24;
// A pair where one differs by at most 1/kOneWayShare of the allowance may differ twice as much the other way.
constexpr int kOneWayShare = 5;

// Whether each channel of `p` lies within the range the same channel spans over the pixels of `b`
// at (x, y) and one step away, give or take kEdgeDifference: an edge smoothed or placed a fraction
// of a pixel differently blends the colours on either side of it.
bool withinNeighbourhood(QRgb p, const QImage& b, int x, int y)
{
    const int size = b.width();
    std::array<int, 4> low{255, 255, 255, 255}, high{0, 0, 0, 0};
    for (int ny = std::max(y - 1, 0); ny <= std::min(y + 1, size - 1); ++ny) {
        const auto* line = reinterpret_cast<const QRgb*>(b.constScanLine(ny));
        for (int nx = std::max(x - 1, 0); nx <= std::min(x + 1, size - 1); ++nx) {
            const std::array<int, 4> q{qRed(line[nx]), qGreen(line[nx]), qBlue(line[nx]), qAlpha(line[nx])};
            for (size_t c = 0; c < q.size(); ++c) {
                low[c] = std::min(low[c], q[c]);
                high[c] = std::max(high[c], q[c]);
            }
        }
    }
    const std::array<int, 4> v{qRed(p), qGreen(p), qBlue(p), qAlpha(p)};
    for (size_t c = 0; c < v.size(); ++c)
        if (v[c] < low[c] - kEdgeDifference || v[c] > high[c] + kEdgeDifference)
            return false;
    return true;
}
// Pixels of `a` that do not lie within the neighbourhood of the same place in `b`; counting stops
// past `limit`.
int differentPixels(const QImage& a, const QImage& b, int limit)
{
    const int size = a.width();
    int different = 0;
    for (int y = 0; y < size && different <= limit; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        for (int x = 0; x < size; ++x)
            different += withinNeighbourhood(line[x], b, x, y) ? 0 : 1;
    }
    return different;
}

// The smallest square around the visible pixels, centred on them, so that a drawing with other
// margins (drawn anew for another icon size) prints the same; the whole picture when none is visible.
QRect drawnSquare(const QImage& picture)
{
    int left = picture.width(), top = picture.height(), right = -1, bottom = -1;
    for (int y = 0; y < picture.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            if (qAlpha(line[x]) >= kVisibleAlpha) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    }
    if (right < 0)
        return picture.rect();
    const int side = std::max(right - left, bottom - top) + 1;
    return {(left + right + 1 - side) / 2, (top + bottom + 1 - side) / 2, side, side};
}

// Whether a premultiplied pixel shows on a white page: white lines drawn for a dark background (a
// football pitch's markings) do not.
bool showsOnWhite(QRgb p)
{
    const int alpha = qAlpha(p);
    return std::max({alpha - qRed(p), alpha - qGreen(p), alpha - qBlue(p)}) >= kVisibleAlpha;
}

QImage reduced(const QImage& picture)
{
    return picture
        .scaled(PixelPrint::kSize, PixelPrint::kSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .scaled(PixelPrint::kCompared, PixelPrint::kCompared, Qt::IgnoreAspectRatio,
                Qt::SmoothTransformation);
}
} // namespace

PixelPrint::PixelPrint(const QImage& picture)
{
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage whole = reduced(argb);
    for (int y = 0; y < kCompared; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(whole.constScanLine(y));
        for (int x = 0; x < kCompared; ++x)
            m_visible += showsOnWhite(line[x]) ? 1 : 0;
    }
    m_pixels = reduced(argb.copy(drawnSquare(argb)));
    const int cell = kCompared / kCells;
    for (int y = 0; y < kCompared; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(m_pixels.constScanLine(y));
        for (int x = 0; x < kCompared; ++x) {
            const QRgb p = line[x];
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
    // The same drawing made a little bolder for another icon size differs one way only: all but a few
    // of its pixels lie within the other's edges, while its thicker strokes stick out along them.
    const int ab = differentPixels(m_pixels, other.m_pixels, 2 * allowed);
    const int ba = differentPixels(other.m_pixels, m_pixels, 2 * allowed);
    const int fewer = std::min(ab, ba), more = std::max(ab, ba);
    return more <= allowed || (fewer <= allowed / kOneWayShare && more <= 2 * allowed);
}
