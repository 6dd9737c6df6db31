// The boot clock where the system offers nothing better: the steady clock. Whether it counts on
// while the computer sleeps depends on the system.
#include "platform/clock/boot_clock.h"

namespace kestrune {

BootClock::time_point BootClock::now() noexcept {
    return time_point(std::chrono::steady_clock::now().time_since_epoch());
}

}  // namespace kestrune
