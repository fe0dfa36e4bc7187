#pragma once

#include "grid/Artwork.h"

#include <QWidget>

// A 17 x 17 picture button of the tile: white background, a 16 x 16 glyph, hand pointer, tool tip.
// Reports a release of any pointer button over it.
class TileButton : public QWidget
{
    Q_OBJECT
public:
    TileButton(Artwork::Piece glyph, const QString& toolTip, QWidget* parent);
    // Assistive technology's press: a left-button release at the button's corner.
    Q_INVOKABLE void activate();

Q_SIGNALS:
    void released(int button, int modifiers, float x, float y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Artwork::Piece m_glyph; // drawn at the screen's device pixel ratio
};
