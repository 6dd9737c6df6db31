// The boot clock on Windows: the interrupt time, which counts on while the computer sleeps. Its
// precise form came with Windows 10; where it is missing (older systems, Wine) the steady clock
// stands in, which may not count the sleep.
#include <windows.h>

#include "platform/clock/boot_clock.h"

namespace kestrune {

namespace {

using QueryInterruptTimePrecise = VOID(WINAPI*)(PULONGLONG);

QueryInterruptTimePrecise interruptTime() {
    const HMODULE kernel = GetModuleHandleW(L"kernelbase.dll");
    return kernel ? reinterpret_cast<QueryInterruptTimePrecise>(reinterpret_cast<void*>(
                        GetProcAddress(kernel, "QueryInterruptTimePrecise")))
                  : nullptr;
}

}  // namespace

BootClock::time_point BootClock::now() noexcept {
    static const QueryInterruptTimePrecise query = interruptTime();
    if (!query) {
        return time_point(std::chrono::steady_clock::now().time_since_epoch());
    }
    ULONGLONG hundredsOfNanoseconds = 0;
    query(&hundredsOfNanoseconds);
    return time_point(std::chrono::nanoseconds(hundredsOfNanoseconds * 100));
}

}  // namespace kestrune
