// Staying awake on Windows: the thread's execution state, which asks Windows not to sleep while it
// is set and goes with the thread. It is set from the window's thread, which lives as long as the
// program. The display is left to its own settings: no ES_DISPLAY_REQUIRED.
#include <windows.h>

#include "platform/awake/stay_awake.h"

namespace kestrune {

struct StayAwake::System {};

StayAwake::StayAwake() = default;

StayAwake::~StayAwake() {
    SetThreadExecutionState(ES_CONTINUOUS);
}

void StayAwake::hold(bool awake) {
    SetThreadExecutionState(awake ? ES_CONTINUOUS | ES_SYSTEM_REQUIRED : ES_CONTINUOUS);
}

}  // namespace kestrune
