#include "binding/form_binding.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>

#include "control/handlers.h"
#include "window/main_window.h"

namespace kestrune {

namespace {

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

}  // namespace

void bindForm(MainWindow& window, Form6& form) {
    new InputWatcher(window, form);

    for (int c = 0; c < comboCount; ++c) {
        const auto combo = static_cast<Combo>(c);
        QComboBox* field = window.combo(combo);
        // A pick from the list is a click; typing, pasting and deleting in the edit part a change.
        QObject::connect(field, qOverload<int>(&QComboBox::activated), &window,
                         [&form, combo] { pick(form, combo); });
        QObject::connect(field->lineEdit(), &QLineEdit::textEdited, &window,
                         [&form, combo] { change(form, combo); });
    }
    for (int b = 0; b < buttonCount; ++b) {
        const auto button = static_cast<Button>(b);
        QObject::connect(window.button(button), &QPushButton::clicked, &window,
                         [&form, button] { click(form, button); });
    }

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
