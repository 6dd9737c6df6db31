// The boot clock on Linux: CLOCK_BOOTTIME, which counts on while the computer sleeps.
#include <time.h>

#include "platform/clock/boot_clock.h"

namespace kestrune {

BootClock::time_point BootClock::now() noexcept {
    timespec ts{};
    clock_gettime(CLOCK_BOOTTIME, &ts);
    return time_point(std::chrono::seconds(ts.tv_sec) + std::chrono::nanoseconds(ts.tv_nsec));
}

}  // namespace kestrune
