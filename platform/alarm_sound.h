#pragma once

#include <memory>

#include "platform/alarm_player.h"

namespace kestrune {

// The alarm heard through the sound server. The sound module is loaded and its output opened by
// prepare(), ahead of time up; where the module, a sound server or an output device is missing, the
// alarm stays silent and nothing fails.
class AlarmSound {
public:
    AlarmSound();
    ~AlarmSound();

    void prepare();
    void play();

private:
    std::unique_ptr<AlarmPlayer> player_;
    bool prepared_ = false;
};

}  // namespace kestrune
