#pragma once

#include <cstddef>
#include <cstdint>

namespace kestrune {

// Plays the alarm's samples through the desktop's sound server. It lives in a module of its own,
// loaded only when a countdown starts, so that the sound libraries cost nothing at start-up or
// while the timer waits.
class AlarmPlayer {
public:
    virtual ~AlarmPlayer() = default;
    virtual void play() = 0;
};

// The module's one entry: a player for 16-bit mono samples, or null where no output can play them.
using CreateAlarmPlayer = AlarmPlayer*(const std::int16_t* samples, std::size_t count,
                                       int sampleRate);
constexpr const char* createAlarmPlayerSymbol = "kestrune_create_alarm_player";

}  // namespace kestrune
