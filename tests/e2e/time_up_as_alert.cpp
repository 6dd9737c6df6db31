// Kestrune as it was before time up reached screen readers as a notification: the same program,
// its time-up announcement with the earlier role, an alert. The Orca check runs against it to show
// that it fails where Orca stays silent.
#include <QApplication>

#include "binding/qt_form.h"
#include "window/accessibility.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    kestrune::installAccessibleInterfaces(QAccessible::AlertMessage);
    kestrune::QtForm form;
    form.window().show();
    return app.exec();
}
