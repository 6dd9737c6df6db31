#include "control/form6.h"

#include <algorithm>
#include <string>

#include "control/handlers.h"
#include "control/states.h"
#include "control/window_place.h"
#include "core/field_number.h"
#include "core/finish_time.h"
#include "core/reminder_schedule.h"
#include "core/time_up_text.h"

namespace kestrune {

void Form6::Form_Load() {
    // Centred; beside the others when more than one Kestrune is open.
    const ScreenPoint place =
        windowPlace(ops_.desktopPlace(), ops_.screenWidth(), ops_.screenHeight(),
                    ops_.windowWidth(), ops_.windowHeight());
    ops_.moveWindow(place.left, place.top);
    ops_.setTimerInterval(tickInterval);
    hoursSet_ = minutesSet_ = secondsSet_ = 0;
    remaining_ = Duration{0};
    for (int i = 0; i <= 60; ++i) {
        ops_.addItem(Combo::Combo2, std::to_string(i));
        ops_.addItem(Combo::Combo3, std::to_string(i));
    }
    for (int i = 0; i <= 100; ++i) {
        ops_.addItem(Combo::Combo1, std::to_string(i));
    }
    ops_.setWidth(Label::Label7, 0);
}

void Form6::RefreshDuration() {
    hoursSet_ = fieldInteger(fieldNumber(ops_.text(Combo::Combo1)));
    minutesSet_ = fieldInteger(fieldNumber(ops_.text(Combo::Combo2)));
    secondsSet_ = fieldInteger(fieldNumber(ops_.text(Combo::Combo3)));
    remaining_ = timeSerial(hoursSet_, minutesSet_, secondsSet_);
    ops_.setCaption(Label::Label1, durationText(remaining_));
    ops_.setWidth(Label::Label7, 0);
}

void Form6::ComboChange() {
    RefreshDuration();
    ops_.setWidth(Label::Label7, 0);
}

void Form6::assignFieldText(Combo combo, std::string_view text) {
    ops_.setText(combo, text);
    change(*this, combo);
}

void Form6::clearFields() {
    hoursSet_ = minutesSet_ = secondsSet_ = 0;
    remaining_ = Duration{0};
    assignFieldText(Combo::Combo1, "");
    assignFieldText(Combo::Combo2, "");
    assignFieldText(Combo::Combo3, "");
}

// One reading of the clock for both times, so that they never straddle a second.
void Form6::StampTimes() {
    const ClockReading clock = ops_.now();
    startedAt_ = shortClockText(clock);
    ops_.setCaption(Label::Label11, startedAt_);
    const Duration fields = timeSerial(hoursSet_, minutesSet_, secondsSet_);
    if (remaining_ < fields) {
        // Going on from a pause: the countdown finishes after the time left, not the fields'.
        ops_.setCaption(Label::Label8, finishTextAfter(clock, remaining_));
    } else {
        ops_.setCaption(Label::Label8,
                        finishText(clock, ops_.text(Combo::Combo1), ops_.text(Combo::Combo2),
                                   ops_.text(Combo::Combo3)));
    }
}

void Form6::startRunning() {
    ops_.setBackColor(runningColour);
    ops_.setTimerEnabled(true);
    ops_.stayAwake(true);
    ops_.setEnabled(Button::Command3, false);
}

void Form6::Command1_Click() {
    acknowledgeTimeUp();
    startRunning();
    ops_.setCaption(Label::Label13, runningClockCaption);
    StampTimes();
}

void Form6::Command2_Click() {
    acknowledgeTimeUp();
    ops_.setCaption(Label::Label13, pausedClockCaption);
    ops_.setTimerEnabled(false);
    ops_.stayAwake(false);
    ops_.setEnabled(Button::Command3, true);
    ops_.setBackColor(pausedColour);
}

void Form6::Command3_Click() {
    acknowledgeTimeUp();
    ops_.setCaption(Label::Label13, runningClockCaption);
    ops_.setWidth(Label::Label7, 0);
    ops_.setBackColor(idleColour);
    clearFields();
    ops_.setFocus(Combo::Combo1);
}

void Form6::Command4_Click() {
    acknowledgeTimeUp();
    ops_.unload();
}

void Form6::Command5_Click() {
    acknowledgeTimeUp();
    ops_.setCaption(Label::Label13, runningClockCaption);
    assignFieldText(Combo::Combo1, "");
    assignFieldText(Combo::Combo3, "");
    ops_.setWidth(Label::Label7, 0);
    assignFieldText(Combo::Combo2, "25");
    startRunning();
    StampTimes();
}

void Form6::Command6_Click() {
    acknowledgeTimeUp();
    ops_.setCaption(Label::Label13, runningClockCaption);
    ops_.setWidth(Label::Label7, 0);
    assignFieldText(Combo::Combo2, "5");
    startRunning();
    StampTimes();
}

double Form6::progressStep() const {
    const double total = std::max(0.0, hoursSet_ * 3600.0 + minutesSet_ * 60.0 + secondsSet_);
    return total != 0 ? progressScale / total : 0.0;
}

void Form6::Timer1_Timer() {
    double step = progressStep();
    ops_.setTimerEnabled(false);
    if (remaining_ > Duration{0}) {
        remaining_ = oneSecondLess(remaining_);
        ops_.setVisible(Label::Label1, false);
        ops_.setCaption(Label::Label1, durationText(remaining_));
        ops_.setVisible(Label::Label1, true);
        ops_.setTimerEnabled(true);
        ops_.setCaption(Label::Label12, clockText(ops_.now()));
        if (remaining_ <= alarmLead) {
            ops_.prepareAlarm();
        }
        step = std::max(step, minimumStep);
        const float grown = static_cast<float>(ops_.width(Label::Label7) + step);
        ops_.setWidth(Label::Label7, std::min(grown, progressScale));
    } else {
        raiseTimeUp();
    }
}

// The tick that finds the display at 00:00:00. Where the computer slept through it, the tick runs
// on waking, and time up counts from when it fell due, not from the waking.
void Form6::raiseTimeUp() {
    const Duration length = timeSerial(hoursSet_, minutesSet_, secondsSet_);
    timeUpAt_ = ops_.tickDue();
    ops_.setTimerEnabled(false);
    soundTheCall();
    ops_.setEnabled(Button::Command3, true);
    clearFields();
    ops_.setFocus(Combo::Combo1);
    const std::string name = ops_.nameText();
    timeUpDisplay_ = name + std::string(timeUpSuffix);
    ops_.setCaption(Label::Label1, timeUpDisplay_);
    ops_.setBackColor(timeUpColour);
    ops_.setCaption(Label::Label13, stoppedClockCaption);
    timeUpNotice_ = whoseTimeIsUp(name, length, startedAt_);
    startCalling();
}

void Form6::soundTheCall() {
    ops_.beep();
    ops_.beep();
    ops_.soundAlarm();
}

// The computer stays awake from Start on: it is let sleep when time up is answered.
void Form6::startCalling() {
    timeUpCalling_ = true;
    const std::chrono::milliseconds overdue = ops_.sinceBoot() - timeUpAt_;
    remindersSounded_ = remindersDueBy(overdue);
    announceOverdue(overdue);
    armReminder();
}

// The display and the notification say how long time up has gone unanswered, once a minute has.
void Form6::announceOverdue(std::chrono::milliseconds overdue) {
    const std::string late = overdueText(overdue);
    ops_.announceTimeUp(timeUpDisplay_ + late,
                        late.empty() ? timeUpNotice_ : timeUpNotice_ + "\n" + late);
}

// The reminder timer wakes first a little before the reminder, to make the sound ready, then for
// the reminder itself.
void Form6::armReminder() {
    ops_.wakeReminderAt(timeUpAt_ + reminderAfter(remindersSounded_ + 1) - reminderLead);
}

void Form6::Timer2_Timer() {
    if (!timeUpCalling_) {
        return;
    }
    const std::chrono::milliseconds overdue = ops_.sinceBoot() - timeUpAt_;
    const std::chrono::milliseconds due = reminderAfter(remindersSounded_ + 1);
    if (overdue < due) {
        ops_.prepareAlarm();
        ops_.wakeReminderAt(timeUpAt_ + due);
        return;
    }
    // After a sleep that went past several, one call, and the next one on time.
    remindersSounded_ = remindersDueBy(overdue);
    soundTheCall();
    announceOverdue(overdue);
    armReminder();
}

void Form6::acknowledgeTimeUp() {
    if (!timeUpCalling_) {
        return;
    }
    timeUpCalling_ = false;
    ops_.cancelReminder();
    ops_.withdrawTimeUp();
    ops_.stayAwake(false);
}

void Form6::Form_MouseDown(int /*button*/, int /*shift*/, double x, double y) {
    acknowledgeTimeUp();
    dragActive_ = true;
    dragStartX_ = x;
    dragStartY_ = y;
}

void Form6::Form_MouseMove(int /*button*/, int /*shift*/, double x, double y) {
    if (!dragActive_) {
        return;
    }
    ops_.moveWindow(x - dragStartX_ + ops_.windowLeft(), y - dragStartY_ + ops_.windowTop());
}

void Form6::Form_MouseUp(int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {
    dragActive_ = false;
}

void Form6::Form_Input() {
    acknowledgeTimeUp();
}

void Form6::Notice_Action() {
    acknowledgeTimeUp();
}

}  // namespace kestrune
