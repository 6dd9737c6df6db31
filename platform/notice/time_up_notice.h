#pragma once

#include <QString>
#include <functional>
#include <memory>

namespace kestrune {

// The desktop notification at time up, for a nurse who is looking at another program: it stays
// until dismissed or withdrawn, and activating it calls onActivated. On Linux it goes through the
// freedesktop notification service on the session bus, from a thread of its own, so a missing,
// slow or hung bus never holds up the window; elsewhere there is none yet.
class TimeUpNotice {
public:
    explicit TimeUpNotice(std::function<void()> onActivated);
    ~TimeUpNotice();

    // Shows the notice, or replaces the one shown. Its summary is "时间到！", its body `whose`:
    // the patient's name, or which countdown it was.
    void show(const QString& whose);
    void withdraw();

private:
    struct System;  // one file per system
    std::unique_ptr<System> system_;
};

}  // namespace kestrune
