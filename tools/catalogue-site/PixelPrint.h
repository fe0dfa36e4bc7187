#pragma once

#include <QImage>

#include <array>

// A picture cut to the square around what it draws, reduced to 64 x 64 and then averaged down to
// kCompared x kCompared, to tell the same artwork under two names from two artworks: the same
// drawing (also drawn anew for another icon size, with other margins and its edges on other pixels)
// differs only along its edges, a recoloured copy over its whole surface. Also says whether a
// picture is all but empty or white, and so shows nothing on a listing's white tiles.
class PixelPrint
{
public:
    static constexpr int kSize = 64;
    static constexpr int kCompared = 32;

    PixelPrint() = default;
    explicit PixelPrint(const QImage& picture);

    // Fewer than kMinVisible of its pixels show anything on a white page.
    [[nodiscard]] bool isBlank() const { return m_visible < kMinVisible; }
    [[nodiscard]] bool sameAs(const PixelPrint& other) const;

    static constexpr int kMinVisible = kCompared * kCompared / 100;

private:
    static constexpr int kCells = 4; // a coarse grid of mean colours rules most pairs out at once
    QImage m_pixels;
    std::array<int, kCells * kCells * 4> m_cells{};
    int m_visible = 0;
};
