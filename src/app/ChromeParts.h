#pragma once

#include <QColor>
#include <QLine>
#include <QString>

class QFrame;
class QLabel;
class QWidget;

// Small building blocks of the main window's chrome: filled areas, outlines, lines and labels.
namespace ChromeParts
{
// A plain area in one colour.
QWidget* filled(QWidget* parent, QColor colour);
// A one-pixel frame that lets the pointer through to what lies under it.
QFrame* outline(QWidget* parent, QColor colour);
// A transparent label in the window's text colour, Verdana at a pixel size.
QLabel* textLabel(QWidget* parent, const QString& text, int pixelSize);
// Places a one-pixel line widget on the line's pixels.
void placeLine(QWidget* line, const QLine& l);
} // namespace ChromeParts
