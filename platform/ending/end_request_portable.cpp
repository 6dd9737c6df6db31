// Where the system asks a program to end through its windows (Windows: WM_CLOSE, and the session
// ending, which Qt turns into aboutToQuit), there is nothing more to set up.
#include "platform/ending/end_request.h"

namespace kestrune {

void endOnSystemRequest() {}

}  // namespace kestrune
