#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <optional>

#include "platform/clock/boot_clock.h"

namespace kestrune {

// Wakes the event loop once, at a moment of the boot clock. On Linux a timerfd on CLOCK_BOOTTIME
// wakes it within microseconds of that moment, and at once after a suspend that slept past it;
// the portable one, a precise QTimer, to the millisecond.
class WakeTimer : public QObject {
public:
    explicit WakeTimer(std::function<void()> onWake);
    ~WakeTimer() override;

    void wakeAt(BootClock::time_point due);
    void cancel();
    std::optional<BootClock::time_point> due() const { return due_; }

private:
    struct System;  // what the system wakes us with: one file per system

    void fired() {
        due_.reset();
        onWake_();
    }

    std::function<void()> onWake_;
    std::optional<BootClock::time_point> due_;
    std::unique_ptr<System> system_;
};

}  // namespace kestrune
