#pragma once

namespace kestrune {

class Form6;
class MainWindow;

// Forwards every control event of the window to its handler in the logic.
void bindForm(MainWindow& window, Form6& form);

}  // namespace kestrune
