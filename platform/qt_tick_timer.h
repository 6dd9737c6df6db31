#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

#include "platform/tick_schedule.h"

namespace kestrune {

// The one-second timer on Qt. It sleeps on a precise single-shot QTimer until the next tick is due
// and wakes the process at no other time; when it wakes late it runs every tick that fell due.
class QtTickTimer : public QObject {
  public:
    using Clock = std::function<BootClock::time_point()>;

    explicit QtTickTimer(std::function<void()> onTick, Clock clock = &BootClock::now);

    void setInterval(int milliseconds);
    void setEnabled(bool enabled);
    bool enabled() const { return schedule_.enabled(); }

  private:
    void wake();
    void arm();

    std::function<void()> onTick_;
    Clock clock_;
    TickSchedule schedule_;
    QTimer wakeUp_;
    bool ticking_ = false;
};

}  // namespace kestrune
