#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

#include "platform/tick_schedule.h"

namespace kestrune {

// The one-second timer on Qt. It sleeps on a precise single-shot QTimer until the next tick is due
// and wakes the process at no other time; when it wakes late it runs every tick that fell due.
class QtTickTimer : public QObject {
public:
    using Clock = std::function<BootClock::time_point()>;

    explicit QtTickTimer(std::function<void()> onTick, Clock clock = &BootClock::now);

    void setInterval(int milliseconds);
    void setEnabled(bool enabled);
    bool enabled() const { return schedule_.enabled(); }

    // Runs every tick that is due by now, then sleeps until the next; the wake-up timer calls it.
    void wake();
    // Milliseconds until the process wakes for the next tick; -1 while no tick is pending.
    int msUntilWake() const { return wakeUp_.isActive() ? wakeUp_.remainingTime() : -1; }

private:
    void arm();

    std::function<void()> onTick_;
    Clock clock_;
    TickSchedule schedule_;
    QTimer wakeUp_;
    bool ticking_ = false;
};

}  // namespace kestrune
