#pragma once

#include <QMetaObject>
#include <QObject>
#include <QPointer>

class QScreen;
class QWindow;
class ScreenInfo;

// Tells the main window when what it was fitted to changes: its screen's size, the screen's work
// area (a panel added, moved or resized), or the screen itself (the window was moved to another).
// `screens` follows the window's screen from then on.
class ScreenWatch : public QObject
{
    Q_OBJECT
public:
    // `screens` outlives the watch.
    ScreenWatch(ScreenInfo& screens, QObject* parent = nullptr) : QObject(parent), m_screens(screens) {}
    // Starts watching the window (once it exists on a screen).
    void attach(QWindow* window);

Q_SIGNALS:
    void changed();

private:
    void follow(QScreen* screen);

    ScreenInfo& m_screens;
    QPointer<QWindow> m_window;
    QMetaObject::Connection m_geometry, m_workArea;
};
