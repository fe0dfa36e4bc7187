#include "controls/FocusFrame.h"

#include "controls/FocusMark.h"

#include <QEvent>
#include <QPainter>

FocusFrame::FocusFrame(QWidget* target, QMargins margins)
    : QWidget(target->parentWidget()), m_target(target), m_margins(margins)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    target->installEventFilter(this);
    follow();
}

bool FocusFrame::eventFilter(QObject*, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        follow();
        break;
    default:
        break;
    }
    return false;
}

void FocusFrame::follow()
{
    setGeometry(m_target->geometry().marginsAdded(m_margins));
    setVisible(m_target->hasFocus() && !m_target->isHidden());
    raise();
}

void FocusFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    FocusMark::paint(painter, rect());
}
