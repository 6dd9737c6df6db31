#pragma once

namespace kestrune {

// When the system asks the program to end (on Linux SIGTERM, SIGINT and SIGHUP: the session ending,
// a kill, Ctrl+C in a terminal), it ends in order, as after Exit: the event loop quits, and nothing
// the program showed about a patient stays on the desktop. Windows asks through the window itself,
// which Qt answers. One file per system.
void endOnSystemRequest();

}  // namespace kestrune
