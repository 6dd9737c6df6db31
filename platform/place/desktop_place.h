#pragma once

#include <QLockFile>
#include <memory>

namespace kestrune {

// The place this window holds among the Kestrune windows open on one desktop, so that a second
// window opens beside the first rather than on top of it. Each place is a lock file in the user's
// runtime folder (the temporary folder on Windows), named after the desktop and the place's number
// and holding the process id, the program's name and the host name; the place is held until the
// program ends. A place whose program ended, however it ended, is free again.
class DesktopPlace {
public:
    // Takes the first free place on this desktop; 0 where none can be had, and where the desktop
    // places windows itself or is no desktop shared with other programs (offscreen).
    int claim();

    // Whether the desktop places and moves windows itself (Wayland, where a program may not).
    static bool placedByDesktop();

private:
    int claim(const QString& desktop);

    std::unique_ptr<QLockFile> lock_;
};

}  // namespace kestrune
