#include "app/ChromeParts.h"

#include <QFrame>
#include <QLabel>
#include <QWidget>

namespace ChromeParts
{

QWidget* filled(QWidget* parent, QColor colour)
{
    auto* w = new QWidget(parent);
    w->setAutoFillBackground(true);
    QPalette palette = w->palette();
    palette.setColor(QPalette::Window, colour);
    w->setPalette(palette);
    return w;
}

QFrame* outline(QWidget* parent, QColor colour)
{
    auto* frame = new QFrame(parent);
    frame->setAttribute(Qt::WA_TransparentForMouseEvents);
    frame->setStyleSheet(
        QStringLiteral("QFrame { border: 1px solid rgb(%1, %2, %3); background: transparent; }")
            .arg(colour.red())
            .arg(colour.green())
            .arg(colour.blue()));
    return frame;
}

QLabel* textLabel(QWidget* parent, const QString& text, int pixelSize)
{
    auto* label = new QLabel(text, parent);
    QFont font("Verdana");
    font.setPixelSize(pixelSize);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("color: rgb(64, 64, 64); background: transparent;"));
    return label;
}

void placeLine(QWidget* line, const QLine& l)
{
    line->setGeometry(QRect(l.p1(), l.p2()).normalized().adjusted(0, 0, 1, 1));
}

} // namespace ChromeParts
