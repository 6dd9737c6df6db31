#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

#include "control/controls.h"
#include "control/operations.h"
#include "core/duration.h"

namespace kestrune {

// The window's logic: one handler per control event, each run on the user-interface thread.
class Form6 {
public:
    explicit Form6(Operations& ops) : ops_(ops) {}

    void Form_Load();

    // The three duration fields' handlers are alike: a pick from the list rebuilds the duration,
    // and so does an edit, which empties the bar once more.
    void Combo1_Click() { RefreshDuration(); }
    void Combo1_Change() { ComboChange(); }
    void Combo2_Click() { RefreshDuration(); }
    void Combo2_Change() { ComboChange(); }
    void Combo3_Click() { RefreshDuration(); }
    void Combo3_Change() { ComboChange(); }

    void Command1_Click();  // Start
    void Command2_Click();  // Pause
    void Command3_Click();  // Reset
    void Command4_Click();  // Exit
    void Command5_Click();  // skin-test preset
    void Command6_Click();  // temperature preset

    void Timer1_Timer();
    void Timer2_Timer();  // the reminders after time up

    void Form_MouseDown(int button, int shift, double x, double y);
    void Form_MouseMove(int button, int shift, double x, double y);
    void Form_MouseUp(int button, int shift, double x, double y);
    // A mouse press or a key anywhere in the window, before the control under it takes it.
    void Form_Input();
    // The time-up notification's own action: opening it, or its button "知道了".
    void Notice_Action();

    Duration remaining() const { return remaining_; }
    std::int16_t hoursSet() const { return hoursSet_; }
    std::int16_t minutesSet() const { return minutesSet_; }
    std::int16_t secondsSet() const { return secondsSet_; }
    // Time is up and nobody has answered it yet: the reminders go on.
    bool timeUpCalling() const { return timeUpCalling_; }

    static constexpr int tickInterval = 1000;        // milliseconds
    static constexpr float progressScale = 4215.0f;  // twips: the track's width
    static constexpr double minimumStep = 0.001;     // twips
    // The sound output is made ready this long before time up, and not earlier: it costs memory.
    static constexpr Duration alarmLead{10};
    // Likewise before each reminder.
    static constexpr std::chrono::seconds reminderLead{5};

private:
    void RefreshDuration();
    void ComboChange();
    void StampTimes();
    // Assigning a field's text from code always runs its change handler.
    void assignFieldText(Combo combo, std::string_view text);
    void clearFields();
    void startRunning();
    double progressStep() const;
    void raiseTimeUp();
    void soundTheCall();
    void startCalling();
    void announceOverdue(std::chrono::milliseconds overdue);
    void armReminder();
    // Any deliberate act on the window answers time up: the reminders stop and the notification
    // goes; the red window and the name stay until Reset.
    void acknowledgeTimeUp();

    Operations& ops_;

    Duration remaining_;
    std::int16_t hoursSet_ = 0;
    std::int16_t minutesSet_ = 0;
    std::int16_t secondsSet_ = 0;

    std::string startedAt_;  // the start time shown, for the notification
    bool timeUpCalling_ = false;
    std::chrono::milliseconds timeUpAt_{0};  // on the clock that counts sleep
    int remindersSounded_ = 0;
    std::string timeUpDisplay_;  // what the display said at time up, and the notification
    std::string timeUpNotice_;

    bool dragActive_ = false;
    double dragStartX_ = 0;
    double dragStartY_ = 0;
};

}  // namespace kestrune
