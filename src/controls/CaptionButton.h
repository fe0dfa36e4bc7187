#pragma once

#include "platform/DrawingSession.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <optional>

class PropertyBag;

// A push button that draws its caption itself, darkens faintly while the pointer is over it and
// reports button releases. The surface persists between paints; it is drawn at the device pixel
// ratio, so the caption stays sharp on a scaled screen.
class CaptionButton : public QWidget
{
    Q_OBJECT
public:
    static constexpr QRgb kBackColor = 0xFFF0F0F0;  // classic button face
    static constexpr QRgb kHoverShade = 0x05000000; // ARGB(5, 0, 0, 0)
    static constexpr QRgb kTextColor = 0xFF000000;
    static constexpr int kCaptionX = 10;
    static constexpr int kCaptionY = 6;
    static constexpr int kCaptionWidth = 180; // layout width of the resize redraw
    static constexpr int kCaptionPoints = 10;

    explicit CaptionButton(QWidget* parent = nullptr);

    [[nodiscard]] QString buttonText() const { return m_caption; }
    // Stores the caption and redraws as on resize.
    void setButtonText(const QString& text);

    // The stored colour number as decimal text.
    [[nodiscard]] QString buttonColor() const { return QString::number(m_color); }
    // Stores the text's number; a text that is not a 32-bit number is rejected (false) and the
    // stored colour stays.
    [[nodiscard]] bool setButtonColor(const QString& text);
    // Decimal (fractions round halves to even) or "&H" hexadecimal, blanks around allowed.
    [[nodiscard]] static std::optional<qint32> toColorNumber(const QString& text);

    // "CAP" the caption, "COR" the colour; unreadable values are skipped.
    void readProperties(const PropertyBag& bag);
    // Writes both keys whatever their values.
    void writeProperties(PropertyBag& bag) const;

    [[nodiscard]] const QImage& surface() const { return m_surface; }

Q_SIGNALS:
    void mouseReleased(int button, int modifiers, float x, float y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void redraw(bool shaded, int layoutWidth);

    DrawingSession m_session;
    QImage m_surface;
    QString m_caption;
    qint32 m_color = 0;
};
