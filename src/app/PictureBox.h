#pragma once

#include <QImage>
#include <QWidget>

// A self-drawn area with a persistent surface: drawing goes to a backing image that paintEvent
// only copies. The surface has the widget's logical size at its device pixel ratio, so painters
// on it work in logical pixels and text and edges stay sharp on a scaled screen. Reports pointer
// presses, moves and releases with the classic mouse-event arguments (button 1 left, 2 right,
// 4 middle; modifiers 1 shift, 2 ctrl, 4 alt; x, y in pixels), and a click: a left press and release
// both on the area. A picture box that takes the keyboard focus (a button) shows the focus mark
// and is activated by Enter, Return or Space as by its accessible press action.
class PictureBox : public QWidget
{
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr, QColor background = Qt::white);

    void setBackground(QColor color);
    [[nodiscard]] QColor background() const { return m_background; }
    // Clears the surface to the background colour, with the picture on it.
    void clear();
    QImage& surface() { return m_surface; }
    [[nodiscard]] const QImage& surface() const { return m_surface; }
    void setPicture(const QPixmap& picture); // drawn at (0, 0) after every clear
    // Replaces the whole surface with a finished drawing and presents it.
    void setSurfaceImage(const QImage& image);
    // Makes the area a button: a Tab stop named for assistive technology, with a tool tip.
    void makeButton(const QString& name, const QString& toolTip);
    [[nodiscard]] bool isButton() const { return m_isButton; }
    // What a button does for the keyboard and assistive technology: raises activated().
    Q_INVOKABLE void activate();

Q_SIGNALS:
    void mousePressed(int button, int modifiers, float x, float y);
    void mouseMoved(int button, int modifiers, float x, float y);
    void mouseReleased(int button, int modifiers, float x, float y);
    void clicked();
    // The pointer left the area.
    void mouseLeft();
    // The button was activated from the keyboard or by assistive technology.
    void activated();

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent*) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    [[nodiscard]] bool surfaceFits() const;

    QImage m_surface;
    QPixmap m_picture;
    QColor m_background;
    bool m_pressedInside = false;
    bool m_isButton = false;
};
