#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// Measures how responsive the event loop of the thread it lives on is: a short timer ticks while
// the meter runs, and the lateness of each tick beyond its period is a stall of the loop. Tests
// and benchmarks use it to show that work stays off the window's thread.
class StallMeter : public QObject
{
    Q_OBJECT
public:
    explicit StallMeter(int periodMs = 5, QObject* parent = nullptr);

    void start();
    void stop();
    // The longest time the loop was late since start(), in milliseconds.
    [[nodiscard]] double longestStallMs() const { return double(m_longestNs) / 1e6; }
    [[nodiscard]] int ticks() const { return m_ticks; }

private:
    void tick();

    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_lastNs = 0;
    qint64 m_longestNs = 0;
    int m_ticks = 0;
    int m_periodMs;
};
