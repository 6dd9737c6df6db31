// The wake-up timer on Linux: a timerfd on CLOCK_BOOTTIME, set to the absolute moment.
#include <sys/timerfd.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cstdint>

#include "platform/wakeup/wake_timer.h"

namespace kestrune {

struct WakeTimer::System {
    int fd = timerfd_create(CLOCK_BOOTTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    QSocketNotifier notifier{fd, QSocketNotifier::Read};

    ~System() {
        notifier.setEnabled(false);
        close(fd);
    }
};

WakeTimer::WakeTimer(std::function<void()> onWake)
    : onWake_(std::move(onWake)), system_(std::make_unique<System>()) {
    connect(&system_->notifier, &QSocketNotifier::activated, this, [this] {
        std::uint64_t expirations = 0;
        if (read(system_->fd, &expirations, sizeof expirations) == sizeof expirations) {
            fired();
        }
    });
}

WakeTimer::~WakeTimer() = default;

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
    timerfd_settime(system_->fd, TFD_TIMER_ABSTIME, &deadline, nullptr);
}

void WakeTimer::cancel() {
    due_.reset();
    const itimerspec disarmed{};
    timerfd_settime(system_->fd, 0, &disarmed, nullptr);
}

}  // namespace kestrune
