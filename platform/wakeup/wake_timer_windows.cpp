// The wake-up timer on Windows: a high-resolution waitable timer, set for the time left. A relative
// wait may not count the time the computer slept, so it is set again when the system resumes.
#include <windows.h>

#include <QAbstractEventDispatcher>
#include <QAbstractNativeEventFilter>
#include <QWinEventNotifier>

#include "compat/qt_compat.h"
#include "platform/wakeup/wake_timer.h"

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace kestrune {

namespace {

HANDLE createTimer() {
    // High resolution needs Windows 10 1803; before it, the default resolution.
    HANDLE timer = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                          TIMER_ALL_ACCESS);
    return timer ? timer : CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
}

class ResumeFilter : public QAbstractNativeEventFilter {
public:
    explicit ResumeFilter(std::function<void()> onResume) : onResume_(std::move(onResume)) {}

    bool nativeEventFilter(const QByteArray&, void* message, NativeEventResult*) override {
        const auto* msg = static_cast<const MSG*>(message);
        if (msg->message == WM_POWERBROADCAST && msg->wParam == PBT_APMRESUMEAUTOMATIC) {
            onResume_();
        }
        return false;
    }

private:
    std::function<void()> onResume_;
};

}  // namespace

struct WakeTimer::System {
    HANDLE timer = createTimer();
    QWinEventNotifier notifier{timer};
    std::unique_ptr<ResumeFilter> resume;

    ~System() {
        if (auto* dispatcher = QAbstractEventDispatcher::instance()) {
            dispatcher->removeNativeEventFilter(resume.get());
        }
        notifier.setEnabled(false);
        CloseHandle(timer);
    }
};

WakeTimer::WakeTimer(std::function<void()> onWake)
    : onWake_(std::move(onWake)), system_(std::make_unique<System>()) {
    connect(&system_->notifier, &QWinEventNotifier::activated, this, &WakeTimer::fired);
    system_->resume = std::make_unique<ResumeFilter>([this] {
        if (due_) {
            wakeAt(*due_);
        }
    });
    if (auto* dispatcher = QAbstractEventDispatcher::instance()) {
        dispatcher->installNativeEventFilter(system_->resume.get());
    }
}

WakeTimer::~WakeTimer() = default;

void WakeTimer::wakeAt(BootClock::time_point due) {
    due_ = due;
    // Negative: relative, in units of 100 ns, rounded up so as not to wake early.
    const auto wait = std::chrono::ceil<std::chrono::duration<LONGLONG, std::ratio<1, 10'000'000>>>(
        due - BootClock::now());
    LARGE_INTEGER dueTime;
    dueTime.QuadPart = -std::max<LONGLONG>(wait.count(), 1);
    SetWaitableTimer(system_->timer, &dueTime, 0, nullptr, nullptr, FALSE);
}

void WakeTimer::cancel() {
    due_.reset();
    CancelWaitableTimer(system_->timer);
}

}  // namespace kestrune
