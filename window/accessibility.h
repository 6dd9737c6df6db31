#pragma once

#include <QAccessible>

namespace kestrune {

class MainWindow;

// Has Qt describe the window's own kinds of control to screen readers. Called before any control
// exists: Qt keeps the first description it makes of each, and an active screen reader asks for
// one as soon as a label gets its text. The time-up announcement takes `timeUpRole`; only the
// screen-reader check's control run gives another.
void installAccessibleInterfaces(QAccessible::Role timeUpRole = QAccessible::Notification);

// Gives every control an accessible name and role for screen readers. The display is read as the
// remaining time, and the bar as a progress indicator with its value; neither announces itself
// at every tick.
void makeAccessible(MainWindow& window);

}  // namespace kestrune
