#include "platform/boot_clock.h"

#if defined(__linux__)
#include <time.h>
#endif

namespace kestrune {

BootClock::time_point BootClock::now() noexcept {
#if defined(__linux__)
    timespec ts{};
    clock_gettime(CLOCK_BOOTTIME, &ts);
    return time_point(std::chrono::seconds(ts.tv_sec) + std::chrono::nanoseconds(ts.tv_nsec));
#else
    return time_point(std::chrono::steady_clock::now().time_since_epoch());
#endif
}

}  // namespace kestrune
