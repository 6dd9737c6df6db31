// The boot clock on Windows: the interrupt time, which counts on while the computer sleeps. Its
// precise form came with Windows 10. Where it is missing (Windows 7 and 8, Wine) the steady clock
// gives the precision and GetTickCount64, which counts the sleep, adds the time slept.
#include <windows.h>

#include <mutex>

#include "platform/clock/boot_clock.h"
#include "platform/clock/slept_time.h"

namespace kestrune {

namespace {

using QueryInterruptTimePrecise = VOID(WINAPI*)(PULONGLONG);

QueryInterruptTimePrecise interruptTime() {
    const HMODULE kernel = GetModuleHandleW(L"kernelbase.dll");
    return kernel ? reinterpret_cast<QueryInterruptTimePrecise>(reinterpret_cast<void*>(
                        GetProcAddress(kernel, "QueryInterruptTimePrecise")))
                  : nullptr;
}

BootClock::time_point steadyWithSleep() {
    using std::chrono::steady_clock;
    static const steady_clock::time_point steadyStart = steady_clock::now();
    static const ULONGLONG ticksStart = GetTickCount64();
    static std::mutex mutex;
    static SleptTime slept;
    const std::lock_guard lock(mutex);
    const steady_clock::time_point steady = steady_clock::now();
    const std::chrono::milliseconds ticks(GetTickCount64() - ticksStart);
    return BootClock::time_point(steady.time_since_epoch() +
                                 slept.update(steady - steadyStart, ticks));
}

}  // namespace

BootClock::time_point BootClock::now() noexcept {
    static const QueryInterruptTimePrecise query = interruptTime();
    if (!query) {
        return steadyWithSleep();
    }
    ULONGLONG hundredsOfNanoseconds = 0;
    query(&hundredsOfNanoseconds);
    return time_point(std::chrono::nanoseconds(hundredsOfNanoseconds * 100));
}

}  // namespace kestrune
