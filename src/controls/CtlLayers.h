#pragma once

#include "controls/LayerList.h"
#include "export/DIBsave.h"
#include "platform/DrawingSession.h"

#include <QImage>
#include <QString>
#include <QWidget>

class ucScrollbar;

// A vertical list of text rows ("layers") on a light grey surface. Rows are rendered once into a
// back buffer 300 pixels wide (DrawLayers), at the device pixel ratio like the surface; RefreshDraw copies
// the visible part to the control's persistent surface and highlights the selected row. The row under the
// pointer becomes the selection, except while the left button is held. Layers are kept in load order and
// shown in reverse: the last loaded is the top row. The inner scrollbar vs1 scrolls a list taller than the
// control.
class CtlLayers : public QWidget
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

    explicit CtlLayers(QWidget* parent = nullptr);

    // The selected layer (load order). Writing it does not redraw.
    [[nodiscard]] int SelectedIndex() const { return m_list.selectedIndex(); }
    void setSelectedIndex(int New_SelectedIndex) { m_list.setSelectedIndex(New_SelectedIndex); }

    // Releases every layer's image, empties the list and clears the surface.
    void Clean();
    // Appends a layer; nothing is redrawn.
    void LoadImage(const QImage& new_Img, const QString& nText, int Width, int Height, double Opacity = 0.0,
                   bool isVisible = false);
    // Overwrites the size, opacity and visibility of layer Index, and its image when new_Img is
    // not null; nothing is redrawn. An index outside the layers changes nothing and gives false.
    [[nodiscard]] bool UpdateImage(const QImage& new_Img, int Width, int Height, int Index,
                                   double Opacity = 0.0, bool isVisible = false);
    // Renders every row into the back buffer and sets vs1 up for its height.
    void DrawLayers();
    // Shows the visible part of the back buffer with the highlight.
    void RefreshDraw();
    // The keyboard's selection: selects `layer`, scrolls its row into view, redraws and tells
    // assistive technology.
    void selectLayer(int layer);
    // Chooses `layer` as a pointer release over its row does: selects it and raises MouseUp
    // (left button, no shift, at the row's centre).
    void chooseLayer(int layer);
    // Stores the horizontal flag; the rows are laid out vertically either way.
    void isHorll(bool Value) { m_horizontal = Value; }

    [[nodiscard]] bool isHorizontal() const { return m_horizontal; }
    [[nodiscard]] bool isButtonHeld() const { return m_buttonHeld; }
    [[nodiscard]] const LayerList& layers() const { return m_list; }
    [[nodiscard]] ucScrollbar* scrollbar() const { return vs1; }
    // The rendered rows (null before the first DrawLayers) and what the control shows.
    [[nodiscard]] const QImage& backBuffer() const;
    [[nodiscard]] const QImage& surface() const { return m_surface; }

Q_SIGNALS:
    void MouseUp(int Button, int Shift, float X, float Y);
    void MouseDown(int Button, int Shift, float X, float Y);
    void MouseMove(int Button, int Shift, float X, float Y);

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
    DIBsave m_buffer;        // the back buffer, 300 logical pixels wide, holding every row
    int m_contentHeight = 0; // its height in logical pixels
    QImage m_surface;
    ucScrollbar* vs1 = nullptr;
    bool m_buttonHeld = false;
    bool m_horizontal = false;
};
