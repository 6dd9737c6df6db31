#pragma once

#include <QObject>
#include <functional>

#include "platform/timer/tick_schedule.h"
#include "platform/wakeup/wake_timer.h"

namespace kestrune {

// The one-second timer on Qt. It sleeps until the next tick is due and wakes the process at no
// other time; when it wakes late it runs every tick that fell due.
class QtTickTimer : public QObject {
public:
    using Clock = std::function<BootClock::time_point()>;

    explicit QtTickTimer(std::function<void()> onTick, Clock clock = &BootClock::now);

    void setInterval(int milliseconds);
    void setEnabled(bool enabled);

    // Runs every tick that is due by now, then sleeps until the next; the wake-up timer calls it.
    void wake();
    // When the process wakes next for a tick, if one is pending.
    std::optional<BootClock::time_point> nextWake() const { return wakeUp_.due(); }
    // When the tick being run fell due; outside a tick, now.
    BootClock::time_point tickDue() const { return schedule_.handling().value_or(clock_()); }

private:
    void arm();

    std::function<void()> onTick_;
    Clock clock_;
    TickSchedule schedule_;
    WakeTimer wakeUp_;
    bool ticking_ = false;
};

}  // namespace kestrune
