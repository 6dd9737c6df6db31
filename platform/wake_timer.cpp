#include "platform/wake_timer.h"

#include <QSocketNotifier>
#include <QTimer>

#if defined(__linux__)
#include <sys/timerfd.h>
#include <unistd.h>

#include <cstdint>
#endif

namespace kestrune {

void WakeTimer::fired() {
    due_.reset();
    onWake_();
}

#if defined(__linux__)

WakeTimer::WakeTimer(std::function<void()> onWake)
    : onWake_(std::move(onWake)),
      fd_(timerfd_create(CLOCK_BOOTTIME, TFD_NONBLOCK | TFD_CLOEXEC)),
      notifier_(std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read)) {
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
        std::uint64_t expirations = 0;
        if (read(fd_, &expirations, sizeof expirations) == sizeof expirations) {
            fired();
        }
    });
}

WakeTimer::~WakeTimer() {
    notifier_.reset();
    close(fd_);
}

void WakeTimer::wakeAt(BootClock::time_point due) {
    due_ = due;
    const auto sinceBoot = due.time_since_epoch();
    const auto seconds = std::chrono::floor<std::chrono::seconds>(sinceBoot);
    itimerspec deadline{};
    deadline.it_value.tv_sec = seconds.count();
    deadline.it_value.tv_nsec = (sinceBoot - seconds).count();
    if (deadline.it_value.tv_sec == 0 && deadline.it_value.tv_nsec == 0) {
        deadline.it_value.tv_nsec = 1;  // a zero time would disarm the timer
    }
    timerfd_settime(fd_, TFD_TIMER_ABSTIME, &deadline, nullptr);
}

void WakeTimer::cancel() {
    due_.reset();
    const itimerspec disarmed{};
    timerfd_settime(fd_, 0, &disarmed, nullptr);
}

#else

WakeTimer::WakeTimer(std::function<void()> onWake)
    : onWake_(std::move(onWake)), timer_(std::make_unique<QTimer>()) {
    timer_->setSingleShot(true);
    timer_->setTimerType(Qt::PreciseTimer);
    connect(timer_.get(), &QTimer::timeout, this, &WakeTimer::fired);
}

WakeTimer::~WakeTimer() = default;

void WakeTimer::wakeAt(BootClock::time_point due) {
    due_ = due;
    // Whole milliseconds, rounded up: waking early would only mean waking twice.
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(due - BootClock::now());
    timer_->start(std::max<std::chrono::milliseconds::rep>(wait.count(), 0));
}

void WakeTimer::cancel() {
    due_.reset();
    timer_->stop();
}

#endif

}  // namespace kestrune
