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
    const auto* wheel = static_cast<QWheelEvent*>(event);
    const QPoint delta = wheel->angleDelta();
    const int d = delta.y() != 0 ? delta.y() : delta.x();
    if (d != 0) // phase-only events carry no turn
        m_step(d < 0 ? +1 : -1);
    return true;
}
