#include "platform/ScreenWatch.h"

#include "platform/ScreenInfo.h"

#include <QScreen>
#include <QWindow>

void ScreenWatch::attach(QWindow* window)
{
    if (!window || m_window == window)
        return;
    if (m_window)
        disconnect(m_window, nullptr, this, nullptr);
    m_window = window;
    connect(window, &QWindow::screenChanged, this, [this](QScreen* screen) {
        follow(screen);
        Q_EMIT changed();
    });
    follow(window->screen());
}

void ScreenWatch::follow(QScreen* screen)
{
    disconnect(m_geometry);
    disconnect(m_workArea);
    m_screens.follow(screen);
    if (!screen)
        return;
    m_geometry = connect(screen, &QScreen::geometryChanged, this, &ScreenWatch::changed);
    m_workArea = connect(screen, &QScreen::availableGeometryChanged, this, &ScreenWatch::changed);
}
