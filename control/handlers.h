#pragma once

#include <array>

#include "control/controls.h"
#include "control/form6.h"

namespace kestrune {

// Which handler of Form6 each control's event runs: the window's binding, the test desktop and the
// benchmarks deliver events through these tables.
using Handler = void (Form6::*)();

inline constexpr std::array<Handler, buttonCount> buttonClicks{
    &Form6::Command1_Click, &Form6::Command2_Click, &Form6::Command3_Click,
    &Form6::Command4_Click, &Form6::Command5_Click, &Form6::Command6_Click,
};

// A pick from a field's list is its click; typing, pasting or deleting in it, its change.
inline constexpr std::array<Handler, comboCount> fieldClicks{
    &Form6::Combo1_Click,
    &Form6::Combo2_Click,
    &Form6::Combo3_Click,
};
inline constexpr std::array<Handler, comboCount> fieldChanges{
    &Form6::Combo1_Change,
    &Form6::Combo2_Change,
    &Form6::Combo3_Change,
};

inline void click(Form6& form, Button button) {
    (form.*buttonClicks[index(button)])();
}
inline void pick(Form6& form, Combo combo) {
    (form.*fieldClicks[index(combo)])();
}
inline void change(Form6& form, Combo combo) {
    (form.*fieldChanges[index(combo)])();
}

}  // namespace kestrune
