#pragma once

#include <QRect>

#include <vector>

// Geometry of the results grid for one grid width: the column count N, the leftover L spread over
// the columns, the cell width C and the integer cell step Ci; the cells, the tiles inside their
// grid lines, the line positions and the fitted thumbnail rectangle.
class GridGeometry
{
public:
    static constexpr int kRowHeight = 200;
    static constexpr int kImageBoxHeight = 100;

    GridGeometry() = default;
    // gridWidth = window inner width - menu width - scrollbar width.
    explicit GridGeometry(float gridWidth);

    [[nodiscard]] float gridWidth() const { return m_gridWidth; }
    [[nodiscard]] int columns() const { return m_columns; }       // N
    [[nodiscard]] float leftover() const { return m_leftover; }   // L
    [[nodiscard]] float cellWidth() const { return m_cellWidth; } // C
    [[nodiscard]] int cellStep() const { return m_cellStep; }
    // Below 200 pixels there is no column and no cell can be placed.
    [[nodiscard]] bool isUsable() const { return m_columns > 0; }

    // The cell of (row, col) as stored in the record: left column * step, top row * 200, width step, height
    // 200.
    [[nodiscard]] QRect cellRect(int row, int col) const;
    // The tile just inside its grid lines: one pixel right of the left line and, below row 0, one
    // pixel under the top line.
    [[nodiscard]] QRect tileRect(int row, int col) const;

    // Vertical lines at Ci, 2Ci, ... and horizontal lines at 200, 400, ... inside the surface.
    [[nodiscard]] std::vector<int> verticalLines(int surfaceWidth) const;
    [[nodiscard]] static std::vector<int> horizontalLines(int surfaceHeight);

    // The whole rows a viewport of this height shows, at least one: a page of the grid.
    [[nodiscard]] static int rowsPerScreen(int viewportHeight);

    // ceil(n / N) rows of 200 pixels, at least one row.
    [[nodiscard]] int surfaceHeight(int resultCount) const;

    // The thumbnail of natural size (imageWidth, imageHeight) fitted into (tile width, 100) and
    // centred vertically in the tile.
    [[nodiscard]] static QRect imageRect(int imageWidth, int imageHeight, const QSize& tileSize);

    // a rounded to an integer (halves to even), then halved with truncation toward zero.
    [[nodiscard]] static int half(double a);

private:
    float m_gridWidth = 0;
    int m_columns = 0;
    float m_leftover = 0;
    float m_cellWidth = 0;
    int m_cellStep = 0;
};
