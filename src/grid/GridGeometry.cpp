#include "grid/GridGeometry.h"

#include "imaging/FileHelpers.h"

#include <algorithm>
#include <cmath>

GridGeometry::GridGeometry(float gridWidth) : m_gridWidth(gridWidth)
{
    m_columns = int(std::lrint(gridWidth)) / kRowHeight;
    m_leftover = gridWidth - float(m_columns * kRowHeight);
    if (m_columns > 0) {
        m_cellWidth = m_leftover / float(m_columns) + float(kRowHeight);
        m_cellStep = int(std::lrint(m_cellWidth));
    }
}

QRect GridGeometry::cellRect(int row, int col) const
{
    return {col * m_cellStep, row * kRowHeight, m_cellStep, kRowHeight};
}

QRect GridGeometry::tileRect(int row, int col) const
{
    const QRect cell = cellRect(row, col);
    const int t = row == 0 ? 0 : 1;
    return {cell.left() + 1, cell.top() + t, cell.width() - 1, kRowHeight - t};
}

std::vector<int> GridGeometry::verticalLines(int surfaceWidth) const
{
    std::vector<int> xs;
    if (m_cellStep <= 0)
        return xs;
    for (int x = m_cellStep; x < surfaceWidth; x += m_cellStep)
        xs.push_back(x);
    return xs;
}

std::vector<int> GridGeometry::horizontalLines(int surfaceHeight)
{
    std::vector<int> ys;
    for (int y = kRowHeight; y < surfaceHeight; y += kRowHeight)
        ys.push_back(y);
    return ys;
}

int GridGeometry::surfaceHeight(int resultCount) const
{
    if (m_columns <= 0 || resultCount <= 0)
        return kRowHeight;
    const int rows = (resultCount + m_columns - 1) / m_columns;
    return std::max(rows, 1) * kRowHeight;
}

QRect GridGeometry::imageRect(int imageWidth, int imageHeight, const QSize& tileSize)
{
    if (imageWidth < 1 || imageHeight < 1)
        return {};
    const FileHelpers::FitResult fit =
        FileHelpers::fitToBox(imageWidth, imageHeight, tileSize.width(), kImageBoxHeight, false);
    return {fit.x, half(tileSize.height() - fit.h), fit.w, fit.h};
}

int GridGeometry::half(double a)
{
    return int(std::lrint(a)) / 2;
}

int GridGeometry::rowsPerScreen(int viewportHeight)
{
    return std::max(viewportHeight / kRowHeight, 1);
}
