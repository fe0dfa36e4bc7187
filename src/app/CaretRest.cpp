#include "app/CaretRest.h"

#include <QApplication>
#include <QEvent>

CaretRest::CaretRest(QObject* parent, int restAfterMs)
    : QObject(parent), m_flashTime(QApplication::cursorFlashTime())
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(restAfterMs);
    connect(&m_timer, &QTimer::timeout, this, &CaretRest::rest);
    qApp->installEventFilter(this);
    m_timer.start();
}

CaretRest::~CaretRest()
{
    if (qApp)
        qApp->removeEventFilter(this);
    wake();
}

void CaretRest::rest()
{
    if (m_resting || m_flashTime <= 0)
        return;
    m_resting = true;
    QApplication::setCursorFlashTime(0); // a steady caret
}

void CaretRest::wake()
{
    if (!m_resting)
        return;
    m_resting = false;
    QApplication::setCursorFlashTime(m_flashTime);
}

bool CaretRest::eventFilter(QObject*, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::FocusIn:
        wake();
        m_timer.start();
        break;
    default:
        break;
    }
    return false;
}
