// The wake-up timer where the system offers nothing better: a precise QTimer, to the millisecond.
#include <QTimer>

#include "platform/wakeup/wake_timer.h"

namespace kestrune {

struct WakeTimer::System {
    QTimer timer;
};

WakeTimer::WakeTimer(std::function<void()> onWake)
    : onWake_(std::move(onWake)), system_(std::make_unique<System>()) {
    system_->timer.setSingleShot(true);
    system_->timer.setTimerType(Qt::PreciseTimer);
    connect(&system_->timer, &QTimer::timeout, this, &WakeTimer::fired);
}

WakeTimer::~WakeTimer() = default;

void WakeTimer::wakeAt(BootClock::time_point due) {
    due_ = due;
    // Whole milliseconds, rounded up: waking early would only mean waking twice.
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(due - BootClock::now());
    system_->timer.start(std::max<std::chrono::milliseconds::rep>(wait.count(), 0));
}

void WakeTimer::cancel() {
    due_.reset();
    system_->timer.stop();
}

}  // namespace kestrune
