#include "platform/form_binding.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>

#include "control/form6.h"
#include "window/main_window.h"

namespace kestrune {

namespace {

using Handler = void (Form6::*)();

// Sees every mouse press and key in the window before the control under it does, whichever control
// that is: the labels, the fields and a disabled button included.
class InputWatcher : public QObject {
public:
    InputWatcher(MainWindow& window, Form6& form) : QObject(&window), window_(window), form_(form) {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* target, QEvent* event) override {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick:
            case QEvent::KeyPress:
            case QEvent::TouchBegin:
                if (target->isWidgetType() && static_cast<QWidget*>(target)->window() == &window_) {
                    form_.Form_Input();
                }
                break;
            default:
                break;
        }
        return false;
    }

private:
    MainWindow& window_;
    Form6& form_;
};

void bindCombo(MainWindow& window, Form6& form, Combo combo, Handler onClick, Handler onChange) {
    QComboBox* field = window.combo(combo);
    // A pick from the list is a click; typing, pasting and deleting in the edit part is a change.
    QObject::connect(field, qOverload<int>(&QComboBox::activated), &window,
                     [&form, onClick] { (form.*onClick)(); });
    QObject::connect(field->lineEdit(), &QLineEdit::textEdited, &window,
                     [&form, onChange] { (form.*onChange)(); });
}

void bindButton(MainWindow& window, Form6& form, Button button, Handler onClick) {
    QObject::connect(window.button(button), &QPushButton::clicked, &window,
                     [&form, onClick] { (form.*onClick)(); });
}

}  // namespace

void bindForm(MainWindow& window, Form6& form) {
    new InputWatcher(window, form);

    bindCombo(window, form, Combo::Combo1, &Form6::Combo1_Click, &Form6::Combo1_Change);
    bindCombo(window, form, Combo::Combo2, &Form6::Combo2_Click, &Form6::Combo2_Change);
    bindCombo(window, form, Combo::Combo3, &Form6::Combo3_Click, &Form6::Combo3_Change);

    bindButton(window, form, Button::Command1, &Form6::Command1_Click);
    bindButton(window, form, Button::Command2, &Form6::Command2_Click);
    bindButton(window, form, Button::Command3, &Form6::Command3_Click);
    bindButton(window, form, Button::Command4, &Form6::Command4_Click);
    bindButton(window, form, Button::Command5, &Form6::Command5_Click);
    bindButton(window, form, Button::Command6, &Form6::Command6_Click);

    QObject::connect(
        &window, &MainWindow::mouseDown, &window,
        [&form](int b, int s, double x, double y) { form.Form_MouseDown(b, s, x, y); });
    QObject::connect(
        &window, &MainWindow::mouseMove, &window,
        [&form](int b, int s, double x, double y) { form.Form_MouseMove(b, s, x, y); });
    QObject::connect(&window, &MainWindow::mouseUp, &window,
                     [&form](int b, int s, double x, double y) { form.Form_MouseUp(b, s, x, y); });
}

}  // namespace kestrune
