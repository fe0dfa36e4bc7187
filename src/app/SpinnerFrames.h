#pragma once

#include <QImage>

#include <array>

// The busy window's animation: 14 frames loaded from the Images folder (a missing file leaves its
// slot empty) and the index of the next frame to draw, wrapping after the 14th. On a scaled screen
// a frame drawn at twice the size beside it ("load1@2x.png") is used when there is one.
class AppPaths;

class SpinnerFrames
{
public:
    static constexpr int kFrames = 14;

    void load(const AppPaths& paths, qreal devicePixelRatio = 1.0);
    // The frame to draw now; advances the index.
    const QImage& next();
    [[nodiscard]] int index() const { return m_index; }
    [[nodiscard]] const QImage& slot(int i) const { return m_slots[size_t(i)]; }

private:
    std::array<QImage, kFrames + 1> m_slots; // the last slot stays empty
    int m_index = 0;
};
