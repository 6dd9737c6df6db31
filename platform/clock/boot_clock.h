#pragma once

#include <chrono>

namespace kestrune {

// A monotonic clock that keeps counting while the computer sleeps, so that a countdown catches up
// with real time after a suspend. On Linux this is CLOCK_BOOTTIME; elsewhere the steady clock.
struct BootClock {
    using duration = std::chrono::nanoseconds;
    using rep = duration::rep;
    using period = duration::period;
    using time_point = std::chrono::time_point<BootClock>;
    static constexpr bool is_steady = true;

    static time_point now() noexcept;
};

}  // namespace kestrune
