#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <optional>

#include "platform/boot_clock.h"

class QSocketNotifier;
class QTimer;

namespace kestrune {

// Wakes the event loop once, at a moment of the boot clock. On Linux a timerfd on CLOCK_BOOTTIME
// wakes it within microseconds of that moment, and at once after a suspend that slept past it;
// elsewhere a precise QTimer does, to the millisecond.
class WakeTimer : public QObject {
public:
    explicit WakeTimer(std::function<void()> onWake);
    ~WakeTimer() override;

    void wakeAt(BootClock::time_point due);
    void cancel();
    std::optional<BootClock::time_point> due() const { return due_; }

private:
    void fired();

    std::function<void()> onWake_;
    std::optional<BootClock::time_point> due_;
#if defined(__linux__)
    int fd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
#else
    std::unique_ptr<QTimer> timer_;
#endif
};

}  // namespace kestrune
