#include "platform/qt_form.h"

#include "platform/form_binding.h"

namespace kestrune {

QtForm::QtForm() : ops_(window_, [this] { form_.Timer1_Timer(); }), form_(ops_) {
    bindForm(window_, form_);
    form_.Form_Load();
}

}  // namespace kestrune
