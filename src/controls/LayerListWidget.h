#pragma once

#include "controls/LayerList.h"
#include "imaging/DrawingSurface.h"
#include "platform/DrawingSession.h"

#include <QImage>
#include <QString>
#include <QWidget>

class Scrollbar;

// A vertical list of text rows ("layers") on a light grey surface. Rows are rendered once into a
// back buffer 300 pixels wide (drawLayers), at the device pixel ratio like the surface; redraw copies
// the visible part to the control's persistent surface and highlights the selected row. The row under the
// pointer becomes the selection, except while the left button is held. Layers are kept in load order and
// shown in reverse: the last loaded is the top row. The inner scrollbar m_scrollbar scrolls a list taller
// than the control.
class LayerListWidget : public QWidget
{
    Q_OBJECT
public:
    static constexpr QRgb kBackColor = 0xFFF5F5F5;      // RGB(245, 245, 245)
    static constexpr QRgb kEdgeColor = 0xFFEBEBEB;      // right-edge line, RGB(235, 235, 235)
    static constexpr QRgb kBulletColor = 0xFFE6E6E6;    // ARGB(255, 230, 230, 230)
    static constexpr QRgb kCaptionColor = 0xFF323232;   // ARGB(255, 50, 50, 50)
    static constexpr QRgb kHighlightColor = 0xC8E6E6E6; // ARGB(200, 230, 230, 230)
    static constexpr int kCaptionPoints = 9;
    static constexpr int kCaptionWidth = 200;
    static constexpr int kScrollbarWidth = 17;

    explicit LayerListWidget(QWidget* parent = nullptr);

    // The selected layer (load order). Writing it does not redraw.
    [[nodiscard]] int selectedIndex() const { return m_list.selectedIndex(); }
    void setSelectedIndex(int index) { m_list.setSelectedIndex(index); }

    // Releases every layer's image, empties the list and clears the surface.
    void clear();
    // Appends a layer; nothing is redrawn.
    void addLayer(const QImage& image, const QString& caption, int width, int height, double opacity = 0.0,
                  bool visible = false);
    // Overwrites the size, opacity and visibility of layer index, and its image when image is
    // not null; nothing is redrawn. An index outside the layers changes nothing and gives false.
    [[nodiscard]] bool updateLayer(const QImage& image, int width, int height, int index,
                                   double opacity = 0.0, bool visible = false);
    // Renders every row into the back buffer and sets m_scrollbar up for its height.
    void drawLayers();
    // Shows the visible part of the back buffer with the highlight.
    void redraw();
    // The keyboard's selection: selects `layer`, scrolls its row into view, redraws and tells
    // assistive technology.
    void selectLayer(int layer);
    // Chooses `layer` as a pointer release over its row does: selects it and raises mouseReleased
    // (left button, no shift, at the row's centre).
    void chooseLayer(int layer);
    // Stores the horizontal flag; the rows are laid out vertically either way.
    void setHorizontal(bool value) { m_horizontal = value; }

    [[nodiscard]] bool isHorizontal() const { return m_horizontal; }
    [[nodiscard]] bool isButtonHeld() const { return m_buttonHeld; }
    [[nodiscard]] const LayerList& layers() const { return m_list; }
    [[nodiscard]] Scrollbar* scrollbar() const { return m_scrollbar; }
    // The rendered rows (null before the first drawLayers) and what the control shows.
    [[nodiscard]] const QImage& backBuffer() const;
    [[nodiscard]] const QImage& surface() const { return m_surface; }

Q_SIGNALS:
    void mouseReleased(int button, int modifiers, float x, float y);
    void mousePressed(int button, int modifiers, float x, float y);
    void mouseMoved(int button, int modifiers, float x, float y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Up, Down, Home and End move the selection; Enter and Space choose it.
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void scrollToLayer(int layer);
    void announceSelection();
    void setUpScrollbar(int contentHeight);
    void drawRow(QPainter& graphics, int row);
    void clearSurface();

    DrawingSession m_session;
    LayerList m_list;
    DrawingSurface m_buffer; // the back buffer, 300 logical pixels wide, holding every row
    int m_contentHeight = 0; // its height in logical pixels
    QImage m_surface;
    Scrollbar* m_scrollbar = nullptr;
    bool m_buttonHeld = false;
    bool m_horizontal = false;
};
