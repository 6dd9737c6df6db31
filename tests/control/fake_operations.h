#pragma once

#include <array>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "control/form6.h"
#include "control/operations.h"

namespace kestrune::testing {

// The desktop as the logic sees it, kept in memory: what each control shows, and what was done.
class FakeOperations : public Operations {
public:
    void setBackColor(Colour colour) override { backColor = colour; }
    double windowLeft() const override { return left; }
    double windowTop() const override { return top; }
    double windowWidth() const override { return 5328; }
    double windowHeight() const override { return 2700; }
    void moveWindow(double newLeft, double newTop) override;
    void unload() override { unloaded = true; }

    double screenWidth() const override { return screenW; }
    double screenHeight() const override { return screenH; }
    int desktopPlace() override { return place; }

    std::string caption(Label label) const override { return captions[index(label)]; }
    void setCaption(Label label, std::string_view caption) override;
    void setVisible(Label label, bool visible) override { visibles[index(label)] = visible; }
    float width(Label label) const override { return widths[index(label)]; }
    void setWidth(Label label, float width) override { widths[index(label)] = width; }

    std::string text(Combo combo) const override { return texts[index(combo)]; }
    void setText(Combo combo, std::string_view text) override;
    void addItem(Combo combo, std::string_view item) override;
    void setFocus(Combo combo) override { focus = combo; }

    std::string nameText() const override { return name; }

    void setEnabled(Button button, bool enabled) override { enabled_[index(button)] = enabled; }
    bool isEnabled(Button button) const { return enabled_[index(button)]; }

    void setTimerInterval(int milliseconds) override { timerInterval = milliseconds; }
    void setTimerEnabled(bool enabled) override;

    void beep() override { ++beeps; }
    void prepareAlarm() override { alarmPrepared = true; }
    void soundAlarm() override { ++alarms; }
    void stayAwake(bool keep) override { awake = keep; }
    void announceTimeUp(std::string_view spoken, std::string_view notice) override {
        announcements.emplace_back(spoken);
        notices.emplace_back(notice);
        timeUpShown = true;
    }
    void withdrawTimeUp() override { timeUpShown = false; }
    ClockReading now() const override;
    std::chrono::milliseconds sinceBoot() const override { return uptime; }
    std::chrono::milliseconds tickDue() const override { return tickDueAt.value_or(uptime); }
    void wakeReminderAt(std::chrono::milliseconds due) override { reminderDue = due; }
    void cancelReminder() override { reminderDue.reset(); }

    Colour backColor = 0x00E0E0E0;
    double left = 0;
    double top = 0;
    double screenW = 1920 * 15;
    double screenH = 1080 * 15;
    int place = 0;
    int moves = 0;
    bool unloaded = false;

    std::array<std::string, labelCount> captions{};
    std::array<bool, labelCount> visibles{};
    std::array<float, labelCount> widths{};
    std::array<std::string, comboCount> texts{};
    std::array<std::vector<std::string>, comboCount> items{};
    std::optional<Combo> focus;
    std::string name;
    std::array<bool, buttonCount> enabled_{true, true, false, true, true, true};

    int timerInterval = 0;
    bool timerEnabled = false;
    int timerStarts = 0;  // times a disabled timer was enabled
    int beeps = 0;
    int alarms = 0;
    bool alarmPrepared = false;
    bool awake = false;                      // the computer kept from sleeping
    std::vector<std::string> announcements;  // what screen readers were told, at each call
    std::vector<std::string> notices;        // the notification's text, at each call
    bool timeUpShown = false;                // announced and not yet withdrawn
    mutable ClockReading clock{14, 20, 7, "2024/5/6"};
    bool secondTurnsAfterEachReading = false;  // as if each reading came just before the turn
    std::chrono::milliseconds uptime{3'600'000};
    std::optional<std::chrono::milliseconds> reminderDue;
    std::optional<std::chrono::milliseconds> tickDueAt;  // while ticks run late, after a sleep

    // Every caption Label1 was given, in order, while keepDisplayHistory is set.
    std::vector<std::string> displayHistory;
    bool keepDisplayHistory = true;
};

// A user at the fake desktop: clicks, picks, types and lets time pass, each delivered to the
// handler the real window would call, and only where the real window would deliver it.
class FakeDesktop {
public:
    FakeDesktop();

    void click(Button button);
    void pick(Combo combo, std::string_view item);
    void type(Combo combo, std::string_view text);  // one change per character
    void clearField(Combo combo);                   // select all, delete: one change
    void typeName(std::string_view name);
    void pressBackground();    // a mouse press on the window's own background
    void tick(int count = 1);  // ticks the timer delivers while it is enabled
    // Lets time pass on the clock that counts sleep, with the reminder timer's ticks as they fall
    // due; a late wake-up delivers a due tick only at the end, as after a sleep.
    void wait(std::chrono::milliseconds time, bool asleep = false);
    // The computer sleeps for `time` while the countdown runs: on waking, every tick that fell due
    // meanwhile runs at once, each told when it fell due.
    void sleepThroughTicks(std::chrono::milliseconds time);

    std::string display() const { return ops.captions[index(Label::Label1)]; }
    std::string caption(Label label) const { return ops.captions[index(label)]; }
    float bar() const { return ops.widths[index(Label::Label7)]; }
    Colour background() const { return ops.backColor; }

    FakeOperations ops;
    Form6 form{ops};
};

}  // namespace kestrune::testing
