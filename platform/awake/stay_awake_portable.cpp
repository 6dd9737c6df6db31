// Where the system offers no way to ask, the computer's own power settings decide.
#include "platform/awake/stay_awake.h"

namespace kestrune {

struct StayAwake::System {};

StayAwake::StayAwake() = default;
StayAwake::~StayAwake() = default;
void StayAwake::hold(bool) {}

}  // namespace kestrune
