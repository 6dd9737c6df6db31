#include "platform/qt_tick_timer.h"

namespace kestrune {

QtTickTimer::QtTickTimer(std::function<void()> onTick, Clock clock)
    : onTick_(std::move(onTick)), clock_(std::move(clock)) {
    wakeUp_.setSingleShot(true);
    wakeUp_.setTimerType(Qt::PreciseTimer);
    connect(&wakeUp_, &QTimer::timeout, this, &QtTickTimer::wake);
}

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
    const auto due = schedule_.nextDue();
    if (!due) {
        wakeUp_.stop();
        return;
    }
    // Whole milliseconds, rounded up: waking before the tick is due would only mean waking twice.
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*due - clock_());
    wakeUp_.start(std::max<std::chrono::milliseconds::rep>(wait.count(), 0));
}

}  // namespace kestrune
