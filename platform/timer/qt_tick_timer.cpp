#include "platform/timer/qt_tick_timer.h"

namespace kestrune {

QtTickTimer::QtTickTimer(std::function<void()> onTick, Clock clock)
    : onTick_(std::move(onTick)), clock_(std::move(clock)), wakeUp_([this] { wake(); }) {}

void QtTickTimer::setInterval(int milliseconds) {
    schedule_.setInterval(std::chrono::milliseconds(milliseconds));
    arm();
}

void QtTickTimer::setEnabled(bool enabled) {
    schedule_.setEnabled(enabled, clock_());
    arm();
}

void QtTickTimer::wake() {
    ticking_ = true;
    while (schedule_.beginTick(clock_())) {
        onTick_();
        schedule_.endTick();
    }
    ticking_ = false;
    arm();
}

void QtTickTimer::arm() {
    if (ticking_) {
        return;  // wake() arms once every due tick has run
    }
    if (const auto due = schedule_.nextDue()) {
        wakeUp_.wakeAt(*due);
    } else {
        wakeUp_.cancel();
    }
}

}  // namespace kestrune
