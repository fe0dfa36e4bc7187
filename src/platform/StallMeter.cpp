#include "platform/StallMeter.h"

StallMeter::StallMeter(int periodMs, QObject* parent) : QObject(parent), m_periodMs(periodMs)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(periodMs);
    connect(&m_timer, &QTimer::timeout, this, &StallMeter::tick);
}

void StallMeter::start()
{
    m_longestNs = 0;
    m_ticks = 0;
    m_clock.start();
    m_lastNs = 0;
    m_timer.start();
}

void StallMeter::stop()
{
    tick(); // a stall running right now counts too
    m_timer.stop();
}

void StallMeter::tick()
{
    const qint64 now = m_clock.nsecsElapsed();
    m_longestNs = std::max(m_longestNs, now - m_lastNs - m_periodMs * 1000000LL);
    m_lastNs = now;
    ++m_ticks;
}
