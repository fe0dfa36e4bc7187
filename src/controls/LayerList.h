#pragma once

#include <QImage>
#include <QRectF>
#include <QString>
#include <QVector>

#include <optional>

// One loaded row. Only the caption is drawn; the rest is kept for the host.
struct Layer {
    QImage image;
    QString caption;
    int width = 0;
    int height = 0;
    double opacity = 0.0;
    bool visible = false;
};

// How the inner scrollbar is set for a view height and a content height.
struct ScrollPlan {
    bool enabled = false; // disabled: the value goes back to 0
    int max = 0;          // enabled: both maximum and largeChange
};

// The rules of the layered list without a window: layers in load order shown in reverse (the
// last loaded on top), the row rectangles of the back buffer, the selection and the hit test.
class LayerList
{
public:
    static constexpr int kItemHeight = 30;
    static constexpr int kBufferWidth = 300;
    static constexpr int kContentMargin = 2; // below the last row

    void load(Layer layer);
    // Overwrites a layer's size, opacity and visibility (and its image when one is given).
    // Returns false and changes nothing when index names no layer.
    [[nodiscard]] bool update(int index, const QImage& image, int width, int height, double opacity,
                              bool visible);
    // Drops every layer (and its image); the selection stays as it is.
    void clear();

    [[nodiscard]] int count() const { return m_count; }
    [[nodiscard]] const Layer& layer(int index) const { return m_layers[index]; }
    // Display row `row`, counted from the top, shows layer count - 1 - row.
    [[nodiscard]] int layerOfRow(int row) const { return m_count - 1 - row; }

    [[nodiscard]] int contentHeight() const { return kItemHeight * m_count + kContentMargin; }
    static ScrollPlan scrollPlan(int viewHeight, int contentHeight);

    // Rebuilds one rectangle per current layer, as wide as the buffer.
    void buildRows(int bufferWidth);
    [[nodiscard]] const QVector<QRectF>& rows() const { return m_rows; }
    // Where a row's bullet and caption go.
    [[nodiscard]] QRectF bulletRect(int row) const;
    [[nodiscard]] QPointF captionOrigin(int row) const;

    [[nodiscard]] int selectedIndex() const { return m_selected; }
    void setSelectedIndex(int index) { m_selected = index; }
    // The row rectangle of the selected layer, when the rows built last have one for it.
    [[nodiscard]] std::optional<QRectF> highlightRow() const;

    // Selects the layer of the row under (x, y + scroll) and returns true; a point on no row
    // leaves the selection as it is. Only rows built by buildRows take part.
    bool hitTest(float x, float y, int scroll);

private:
    QVector<Layer> m_layers; // storage survives clear(); m_count says how much is in use
    int m_count = 0;
    QVector<QRectF> m_rows;
    int m_selected = 0;
};
