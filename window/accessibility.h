#pragma once

namespace kestrune {

class MainWindow;

// Gives every control an accessible name and role for screen readers. The display is read as the
// remaining time, and the bar as a progress indicator with its value; neither announces itself
// at every tick.
void makeAccessible(MainWindow& window);

}  // namespace kestrune
