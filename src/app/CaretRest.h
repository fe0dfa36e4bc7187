#pragma once

#include <QObject>
#include <QTimer>

// Stops the text caret blinking once the user has left the program alone for a while, as desktops
// do, so an idle window does not wake up twice a second only to blink; the caret then stays
// shown. A key press, a click, the wheel or pointer movement in the program brings the blinking
// back. Watches the whole application while it lives.
class CaretRest : public QObject
{
    Q_OBJECT
public:
    static constexpr int kRestAfterMs = 10000;

    explicit CaretRest(QObject* parent = nullptr, int restAfterMs = kRestAfterMs);
    ~CaretRest() override;

    [[nodiscard]] bool isResting() const { return m_resting; }
    [[nodiscard]] const QTimer& timer() const { return m_timer; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void rest();
    void wake();

    QTimer m_timer;
    int m_flashTime = 0; // the blink period to come back to
    bool m_resting = false;
};
