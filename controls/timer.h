// A timer with an interval and an enabled flag, as the windows use them.
// It ticks only while enabled with an interval above 0. Enabling a running timer
// leaves its rhythm alone: handlers enable the view timer ten times a second,
// and restarting it each time would starve it.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <string>

namespace hearvex::controls {

class Timer : public QObject {
    Q_OBJECT
public:
    explicit Timer(QObject* parent = nullptr, int intervalMs = 0, bool enabled = false);

    bool enabled() const { return m_enabled; }
    void setEnabled(bool on);
    int interval() const { return m_intervalMs; }
    void setInterval(int ms);

    // A timer whose ticks would do nothing for now can rest: it keeps its
    // enabled flag and interval but stops waking the window thread.
    void setResting(bool resting);
    // Whether the timer wakes the thread: enabled, with an interval, not resting.
    bool wakes() const { return m_timer.isActive(); }

    void setTickHandler(std::function<void()> handler) { m_tickHandler = std::move(handler); }

    // Runs one tick now, as the event loop would (tests drive timers this way).
    void tick();

private:
    void sync();

    QTimer m_timer;
    std::string m_name; // the object's name as error reports give it, made once
    std::function<void()> m_tickHandler;
    int m_intervalMs = 0;
    bool m_enabled = false;
    bool m_resting = false;
};

} // namespace hearvex::controls
