#include "platform/qt_form.h"

#include "platform/form_binding.h"

namespace kestrune {

QtForm::QtForm() : ops_(window_, [this] { form_.Timer1_Timer(); }), form_(ops_) {
    bindForm(window_, form_);
    // The sound output is opened after the first frame, so that it never delays the window.
    QObject::connect(
        &window_, &MainWindow::firstFrameDrawn, &window_, [this] { ops_.prepareAlarm(); },
        Qt::QueuedConnection);
    form_.Form_Load();
}

}  // namespace kestrune
