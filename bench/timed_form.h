#pragma once

#include <QLineEdit>
#include <functional>
#include <optional>
#include <vector>

#include "control/form6.h"
#include "control/states.h"
#include "platform/clock/boot_clock.h"
#include "binding/form_binding.h"
#include "binding/qt_operations.h"
#include "window/main_window.h"
#include "window/palette.h"

namespace kestrune {

// The window, its operations and its logic, wired as the program wires them, with each tick
// timed: when every tick began, and when the one that raised time up began.
struct TimedForm {
    TimedForm()
        : ops(
              window, [this] { tick(); }, [this] { form.Timer2_Timer(); },
              [this] { form.Notice_Action(); }),
          form(ops) {
        bindForm(window, form);
        form.Form_Load();
        window.show();
    }

    // Types the seconds and presses Start; returns the moment of the press.
    BootClock::time_point startSeconds(int seconds) {
        window.combo(Combo::Combo3)->lineEdit()->setText(QString::number(seconds));
        form.Combo3_Change();
        ticks.clear();
        timeUp.reset();
        const auto pressed = BootClock::now();
        form.Command1_Click();
        return pressed;
    }

    void tick() {
        const auto began = BootClock::now();
        ticks.push_back(began);
        form.Timer1_Timer();
        if (window.backColor() == toQColor(timeUpColour)) {
            timeUp = began;
            onTimeUp();
        }
    }

    MainWindow window;
    QtOperations ops;
    Form6 form;
    std::vector<BootClock::time_point> ticks;
    std::optional<BootClock::time_point> timeUp;
    std::function<void()> onTimeUp = [] {};
};

}  // namespace kestrune
