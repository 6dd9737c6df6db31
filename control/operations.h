#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "control/controls.h"
#include "core/clock.h"

namespace kestrune {

// Everything the window's logic asks of the desktop: the window and its controls, the timer, the
// clock and the beep. Positions and sizes are twips.
class Operations {
public:
    virtual ~Operations() = default;

    virtual void setBackColor(Colour colour) = 0;
    virtual double windowLeft() const = 0;
    virtual double windowTop() const = 0;
    virtual double windowWidth() const = 0;
    virtual double windowHeight() const = 0;
    virtual void moveWindow(double left, double top) = 0;
    // Closes the window; with it the program ends.
    virtual void unload() = 0;

    virtual double screenWidth() const = 0;
    virtual double screenHeight() const = 0;
    // Takes the first place free among the Kestrune windows open on this desktop, and holds it
    // while the program runs: 0 when this is the only one. Where the desktop places windows itself,
    // 0.
    virtual int desktopPlace() = 0;

    virtual std::string caption(Label label) const = 0;
    virtual void setCaption(Label label, std::string_view caption) = 0;
    virtual void setVisible(Label label, bool visible) = 0;
    virtual float width(Label label) const = 0;
    virtual void setWidth(Label label, float width) = 0;

    virtual std::string text(Combo combo) const = 0;
    // Replaces the edit text without raising the field's change notification: the logic runs the
    // change handler itself after every assignment.
    virtual void setText(Combo combo, std::string_view text) = 0;
    virtual void addItem(Combo combo, std::string_view item) = 0;
    virtual void setFocus(Combo combo) = 0;

    // The typed patient name.
    virtual std::string nameText() const = 0;

    virtual void setEnabled(Button button, bool enabled) = 0;

    virtual void setTimerInterval(int milliseconds) = 0;
    // Enabling a disabled timer starts a fresh interval, except from inside the tick handler, where
    // the next tick is due one interval after the tick being handled was due. Enabling an enabled
    // timer keeps its pending tick. Disabling drops any pending tick.
    virtual void setTimerEnabled(bool enabled) = 0;

    virtual void beep() = 0;
    // The alarm will soon be needed: load what it needs now, so that it sounds at once.
    virtual void prepareAlarm() = 0;
    // Plays the alarm through the desktop's sound server, where there is one; never blocks.
    virtual void soundAlarm() = 0;
    // While a countdown runs or time up goes unanswered, keeps the computer from going to sleep,
    // so that nobody misses the call; never keeps the screen on or unlocked. False lets it sleep
    // again.
    virtual void stayAwake(bool awake) = 0;
    // Time is up, or still unanswered: brings the window in front of the others and keeps it there
    // and asks the desktop to flag it, without taking the keyboard from other programs; has screen
    // readers say `spoken` once, and shows the desktop notification "时间到！" with `notice` as its
    // text, or updates the one shown in place.
    virtual void announceTimeUp(std::string_view spoken, std::string_view notice) = 0;
    // Time up is answered: takes back what announceTimeUp left on the desktop, and lets other
    // windows cover the window again.
    virtual void withdrawTimeUp() = 0;
    virtual ClockReading now() const = 0;

    // A clock that goes on counting while the computer sleeps.
    virtual std::chrono::milliseconds sinceBoot() const = 0;
    // When the tick being handled fell due, on that clock: earlier than sinceBoot() where the
    // computer slept through it and the tick runs on waking.
    virtual std::chrono::milliseconds tickDue() const = 0;
    // The reminder timer, Timer2: raises its tick once, when sinceBoot() reaches `due`; at once
    // where it has, and as soon as the computer wakes where a sleep went past it. Arming it again
    // replaces the moment.
    virtual void wakeReminderAt(std::chrono::milliseconds due) = 0;
    virtual void cancelReminder() = 0;
};

}  // namespace kestrune
