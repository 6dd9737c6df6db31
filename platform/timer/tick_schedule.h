#pragma once

#include <chrono>
#include <optional>

#include "platform/clock/boot_clock.h"

namespace kestrune {

// When the timer's ticks are due. A tick re-enabled from inside the tick handler is due one
// interval after the tick being handled was due, so the handler's own time never accumulates;
// enabling anywhere else starts a fresh interval. Ticks that fell behind are all due at once.
class TickSchedule {
public:
    using TimePoint = BootClock::time_point;
    using Interval = std::chrono::milliseconds;

    void setInterval(Interval interval) { interval_ = interval; }
    void setEnabled(bool enabled, TimePoint now);
    bool enabled() const { return due_.has_value(); }

    // The next tick's due time, while enabled and the interval is not zero.
    std::optional<TimePoint> nextDue() const;

    // Whether a tick is due at `now`; if so, the tick handler is about to run for it and must call
    // endTick when it returns.
    bool beginTick(TimePoint now);
    void endTick();
    // The due time of the tick being handled, between beginTick and endTick.
    std::optional<TimePoint> handling() const { return handling_; }

private:
    Interval interval_{0};
    std::optional<TimePoint> due_;
    std::optional<TimePoint> handling_;  // due time of the tick being handled
};

}  // namespace kestrune
