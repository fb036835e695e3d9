#include "timer.h"

#include "guard.h"

namespace hearvex::controls {

using base::runGuarded;

Timer::Timer(QObject* parent, int intervalMs, bool enabled)
    : QObject(parent)
    , m_intervalMs(intervalMs)
    , m_enabled(enabled) {
    m_timer.setTimerType(Qt::CoarseTimer);
    connect(&m_timer, &QTimer::timeout, this, &Timer::tick);
    sync();
}

void Timer::setEnabled(bool on) {
    if (on == m_enabled)
        return;
    m_enabled = on;
    sync();
}

void Timer::setInterval(int ms) {
    m_intervalMs = ms < 0 ? 0 : ms;
    m_timer.stop(); // a new interval starts a new countdown
    sync();
}

void Timer::sync() {
    const bool shouldRun = m_enabled && m_intervalMs > 0;
    if (!shouldRun) {
        m_timer.stop();
        return;
    }
    if (!m_timer.isActive() || m_timer.interval() != m_intervalMs)
        m_timer.start(m_intervalMs);
}

void Timer::tick() {
    if (m_tickHandler)
        runGuarded(objectName().isEmpty() ? "timer" : qPrintable(objectName()), m_tickHandler);
}

} // namespace hearvex::controls
