#pragma once

#include <QObject>

#include <functional>

class QWidget;

// Intercepts mouse-wheel events for one window and its children and turns each vertical turn into
// one scroll step, whatever its delta: negative (toward the user) steps down, else up. Sideways
// movement does nothing. The events are not passed on. Installed at start-up, removed at shutdown.
class WheelHook : public QObject
{
    Q_OBJECT
public:
    // step(+1) scrolls down one smallChange, step(-1) up.
    WheelHook(QWidget* window, std::function<void(int)> step);
    ~WheelHook() override;

    void install();
    void remove();
    [[nodiscard]] bool isInstalled() const { return m_installed; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    std::function<void(int)> m_step;
    bool m_installed = false;
};
