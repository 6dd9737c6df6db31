#pragma once

namespace kestrune {

// The window's controls, by the names the window gives them.
enum class Label {
    Label1,   // countdown display
    Label2,   // name caption
    Label3,   // progress track
    Label4,   // hours caption
    Label5,   // minutes caption
    Label6,   // seconds caption
    Label7,   // progress bar
    Label8,   // finish-time value
    Label9,   // finish-time caption
    Label10,  // start-time caption
    Label11,  // start-time value
    Label12,  // clock value
    Label13,  // clock caption
};

enum class Combo {
    Combo1,  // hours
    Combo2,  // minutes
    Combo3,  // seconds
};

enum class Button {
    Command1,  // Start
    Command2,  // Pause
    Command3,  // Reset
    Command4,  // Exit
    Command5,  // skin-test preset
    Command6,  // temperature preset
};

constexpr int labelCount = 13;
constexpr int comboCount = 3;
constexpr int buttonCount = 6;

constexpr int index(Label l) {
    return static_cast<int>(l);
}
constexpr int index(Combo c) {
    return static_cast<int>(c);
}
constexpr int index(Button b) {
    return static_cast<int>(b);
}

// A colour as 0x00BBGGRR, red in the low byte.
using Colour = unsigned int;

constexpr int redOf(Colour c) {
    return static_cast<int>(c & 0xFF);
}
constexpr int greenOf(Colour c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int blueOf(Colour c) {
    return static_cast<int>((c >> 16) & 0xFF);
}

}  // namespace kestrune
