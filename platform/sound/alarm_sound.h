#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/sound/alarm_player.h"

namespace kestrune {

// The alarm heard through the sound server. prepare() loads the sound module, ahead of time up, and
// has it make its output ready; play() sounds it. Where the module or a sound server is missing,
// the alarm stays silent and nothing fails; each call tries again, so a server that starts or
// restarts later is used from the next call on.
class AlarmSound {
public:
    AlarmSound();
    ~AlarmSound();

    void prepare();
    void play();

private:
    bool load();

    std::vector<std::int16_t> samples_;  // made once the module is loaded
    std::unique_ptr<AlarmPlayer> player_;
};

}  // namespace kestrune
