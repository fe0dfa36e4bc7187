#include "app/WheelHook.h"

#include <QCoreApplication>
#include <QWheelEvent>
#include <QWidget>

WheelHook::WheelHook(QWidget* window, std::function<void(int)> step)
    : m_window(window), m_step(std::move(step))
{
}

WheelHook::~WheelHook()
{
    remove();
}

void WheelHook::install()
{
    if (!m_installed)
        QCoreApplication::instance()->installEventFilter(this);
    m_installed = true;
}

void WheelHook::remove()
{
    if (m_installed && QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
    m_installed = false;
}

bool WheelHook::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Wheel)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != m_window)
        return false;
    // Only vertical movement scrolls: a sideways wheel or tilt, and phase-only events, carry no
    // vertical turn and are swallowed like every other wheel event of the window.
    const int d = static_cast<QWheelEvent*>(event)->angleDelta().y();
    if (d != 0)
        m_step(d < 0 ? +1 : -1);
    return true;
}
