#include "control/fake_operations.h"

#include <algorithm>

#include "control/handlers.h"

namespace kestrune::testing {

void FakeOperations::moveWindow(double newLeft, double newTop) {
    left = newLeft;
    top = newTop;
    ++moves;
}

void FakeOperations::setCaption(Label label, std::string_view caption) {
    captions[index(label)] = caption;
    if (label == Label::Label1 && keepDisplayHistory) {
        displayHistory.emplace_back(caption);
    }
}

void FakeOperations::setText(Combo combo, std::string_view text) {
    texts[index(combo)] = text;
}

void FakeOperations::addItem(Combo combo, std::string_view item) {
    items[index(combo)].emplace_back(item);
}

ClockReading FakeOperations::now() const {
    const ClockReading reading = clock;
    clock.second += secondTurnsAfterEachReading ? 1 : 0;
    return reading;
}

void FakeOperations::setTimerEnabled(bool enabled) {
    timerStarts += enabled && !timerEnabled ? 1 : 0;
    timerEnabled = enabled;
}

FakeDesktop::FakeDesktop() {
    ops.captions[index(Label::Label1)] = "00:00:00";
    ops.captions[index(Label::Label13)] = "当前时间：";
    ops.visibles.fill(true);
    ops.widths[index(Label::Label3)] = 4215;
    form.Form_Load();
}

// Every press and key reaches the window's input handler first, a press on a disabled button too.
void FakeDesktop::click(Button button) {
    form.Form_Input();
    if (ops.isEnabled(button)) {
        kestrune::click(form, button);
    }
}

void FakeDesktop::pick(Combo combo, std::string_view item) {
    form.Form_Input();
    ops.texts[index(combo)] = item;
    kestrune::pick(form, combo);
}

void FakeDesktop::type(Combo combo, std::string_view text) {
    // One keystroke per character: a UTF-8 sequence arrives whole.
    for (std::size_t i = 0; i < text.size();) {
        form.Form_Input();
        std::size_t end = i + 1;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
            ++end;
        }
        ops.texts[index(combo)] += text.substr(i, end - i);
        change(form, combo);
        i = end;
    }
}

void FakeDesktop::clearField(Combo combo) {
    form.Form_Input();
    ops.texts[index(combo)].clear();
    change(form, combo);
}

void FakeDesktop::typeName(std::string_view name) {
    form.Form_Input();
    ops.name = name;
}

void FakeDesktop::pressBackground() {
    form.Form_MouseDown(1, 0, 100, 100);
    form.Form_MouseUp(1, 0, 100, 100);
}

void FakeDesktop::wait(std::chrono::milliseconds time, bool asleep) {
    const std::chrono::milliseconds end = ops.uptime + time;
    while (ops.reminderDue && *ops.reminderDue <= end) {
        ops.uptime = asleep ? end : std::max(ops.uptime, *ops.reminderDue);
        ops.reminderDue.reset();
        form.Timer2_Timer();
    }
    ops.uptime = end;
}

void FakeDesktop::sleepThroughTicks(std::chrono::milliseconds time) {
    const std::chrono::milliseconds fellAsleep = ops.uptime;
    ops.uptime += time;
    for (auto due = fellAsleep + std::chrono::seconds(1); due <= ops.uptime && ops.timerEnabled;
         due += std::chrono::seconds(1)) {
        ops.tickDueAt = due;
        form.Timer1_Timer();
    }
    ops.tickDueAt.reset();
}

void FakeDesktop::tick(int count) {
    for (int i = 0; i < count && ops.timerEnabled; ++i) {
        form.Timer1_Timer();
    }
}

}  // namespace kestrune::testing
