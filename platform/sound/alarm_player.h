#pragma once

#include <cstddef>
#include <cstdint>

namespace kestrune {

// Plays the alarm's samples through the desktop's sound server. It lives in a module of its own,
// loaded only when a countdown nears its end, so that the sound libraries cost nothing at start-up
// or while the timer waits. Neither call ever waits on the sound server.
class AlarmPlayer {
public:
    virtual ~AlarmPlayer() = default;
    // Makes the alarm ready to sound at once: connects to the sound server that runs now (again,
    // where an earlier connection is gone or was never had) and readies an output there. Called
    // again and again while time up nears; an output left unused for a while is let go idle.
    virtual void prepare() = 0;
    // Sounds the alarm: at once where it is ready, otherwise as soon as a server takes it.
    virtual void play() = 0;
};

// The module's one entry: a player for 16-bit mono samples, or null where it cannot run at all. The
// samples stay the caller's and must outlive the player.
using CreateAlarmPlayer = AlarmPlayer*(const std::int16_t* samples, std::size_t count,
                                       int sampleRate);
constexpr const char* createAlarmPlayerSymbol = "kestrune_create_alarm_player";

}  // namespace kestrune
