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
    connect(this, &QObject::objectNameChanged, this,
            [this](const QString& name) { m_name = name.toStdString(); });
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

void Timer::setResting(bool resting) {
    m_resting = resting;
    sync();
}

void Timer::sync() {
    const bool shouldRun = m_enabled && m_intervalMs > 0 && !m_resting;
    if (!shouldRun) {
        m_timer.stop();
        return;
    }
    if (!m_timer.isActive() || m_timer.interval() != m_intervalMs)
        m_timer.start(m_intervalMs);
}

void Timer::tick() {
    if (m_tickHandler)
        runGuarded(m_name.empty() ? "timer" : m_name.c_str(), m_tickHandler);
}

} // namespace hearvex::controls
