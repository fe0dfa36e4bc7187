#include "controls/LayerList.h"

#include <algorithm>
#include <cmath>

namespace
{

constexpr int kBulletSize = 6;
constexpr int kCaptionIndent = 10; // right of the bullet column
constexpr int kCaptionDrop = 7;

int nearest(double value)
{
    return int(std::lrint(value));
}

} // namespace

void LayerList::load(Layer layer)
{
    if (m_count < m_layers.size())
        m_layers[m_count] = std::move(layer);
    else
        m_layers.append(std::move(layer));
    ++m_count;
}

bool LayerList::update(int index, const QImage& image, int width, int height, double opacity, bool visible)
{
    if (index < 0 || index >= m_count)
        return false;
    Layer& target = m_layers[index];
    if (!image.isNull())
        target.image = image;
    target.width = width;
    target.height = height;
    target.opacity = opacity;
    target.visible = visible;
    return true;
}

void LayerList::clear()
{
    for (Layer& layer : m_layers)
        layer.image = QImage();
    m_count = 0;
}

ScrollPlan LayerList::scrollPlan(int viewHeight, int contentHeight)
{
    if (viewHeight < contentHeight)
        return {true, contentHeight - viewHeight};
    return {};
}

void LayerList::buildRows(int bufferWidth)
{
    m_rows.resize(m_count);
    for (int row = 0; row < m_count; ++row)
        m_rows[row] = QRectF(0, kItemHeight * row, bufferWidth, kItemHeight);
}

QRectF LayerList::bulletRect(int row) const
{
    const QRectF& r = m_rows[row];
    return {r.x() + kItemHeight - kBulletSize, r.y() + (kItemHeight - kBulletSize) / 2, kBulletSize,
            kBulletSize};
}

QPointF LayerList::captionOrigin(int row) const
{
    const QRectF& r = m_rows[row];
    return {r.x() + kItemHeight + kCaptionIndent, r.y() + kCaptionDrop};
}

std::optional<QRectF> LayerList::highlightRow() const
{
    const int row = m_count - 1 - m_selected; // the same reversal maps a layer to its row
    if (row < 0 || row >= m_rows.size())
        return std::nullopt;
    return m_rows[row];
}

bool LayerList::hitTest(float pointX, float pointY, int scroll)
{
    const int x = nearest(pointX);
    const int y = nearest(double(pointY) + scroll);
    const int rows = std::min(m_count, int(m_rows.size()));
    for (int row = 0; row < rows; ++row) {
        const QRectF& r = m_rows[row];
        const int left = nearest(r.x());
        const int top = nearest(r.y());
        // Left and top inclusive, right and bottom exclusive.
        if (x >= left && x < nearest(r.x() + r.width()) && y >= top && y < nearest(r.y() + r.height())) {
            m_selected = layerOfRow(row);
            return true;
        }
    }
    return false;
}
