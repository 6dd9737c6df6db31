#pragma once

#include "binding/qt_operations.h"
#include "control/form6.h"
#include "window/main_window.h"

namespace kestrune {

// The window, its operations and its logic, wired together and loaded; show() it to start.
class QtForm {
public:
    QtForm();

    MainWindow& window() { return window_; }
    Form6& form() { return form_; }

private:
    MainWindow window_;
    QtOperations ops_;
    Form6 form_;
};

}  // namespace kestrune
