#include "platform/timer/tick_schedule.h"

namespace kestrune {

void TickSchedule::setEnabled(bool enabled, TimePoint now) {
    if (!enabled) {
        due_.reset();
    } else if (!due_) {
        due_ = (handling_ ? *handling_ : now) + interval_;
    }
}

std::optional<TickSchedule::TimePoint> TickSchedule::nextDue() const {
    if (interval_.count() <= 0) {
        return std::nullopt;
    }
    return due_;
}

bool TickSchedule::beginTick(TimePoint now) {
    const auto due = nextDue();
    if (!due || *due > now) {
        return false;
    }
    handling_ = *due;
    due_ = *due + interval_;  // a timer left enabled by the handler goes on ticking
    return true;
}

void TickSchedule::endTick() {
    handling_.reset();
}

}  // namespace kestrune
