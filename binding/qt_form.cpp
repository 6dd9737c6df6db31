#include "binding/qt_form.h"

#include "binding/form_binding.h"
#include "window/window_icon.h"

namespace kestrune {

QtForm::QtForm()
    : ops_(
          window_, [this] { form_.Timer1_Timer(); }, [this] { form_.Timer2_Timer(); },
          [this] { form_.Notice_Action(); }),
      form_(ops_) {
    bindForm(window_, form_);
    // The icon waits until the first frame is drawn: painting it loads the Chinese font at its
    // largest size.
    QObject::connect(
        &window_, &MainWindow::firstFrameDrawn, &window_,
        [this] { window_.setWindowIcon(kestruneIcon()); }, Qt::QueuedConnection);
    form_.Form_Load();
}

}  // namespace kestrune
