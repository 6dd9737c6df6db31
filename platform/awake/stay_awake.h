#pragma once

#include <memory>

namespace kestrune {

// Keeps the computer from going to sleep while a countdown runs: a computer asleep calls nobody at
// time up. It never keeps the screen on or unlocked: a locked screen keeps patients' names from
// passers-by, and the alarm and the notification reach the nurse through it. Holding it never
// waits, and where the system cannot be asked, nothing else changes. What is held is let go when
// the program ends, however it ends. One file per system.
class StayAwake {
public:
    StayAwake();
    ~StayAwake();

    void hold(bool awake);

private:
    struct System;
    std::unique_ptr<System> system_;
};

}  // namespace kestrune
