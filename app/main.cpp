#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "platform/qt_form.h"

namespace {

bool starting = true;
QtMessageHandler defaultHandler = nullptr;

// Without a display Qt gives up with a fatal message and aborts, leaving a core dump. While the
// program starts, say plainly what is wrong and leave with an error status instead.
void messageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg && starting) {
        std::fputs("kestrune: there is no display to open the window on.\n", stderr);
        std::fflush(stderr);
        std::_Exit(EXIT_FAILURE);
    }
    if (defaultHandler) {
        defaultHandler(type, context, message);
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    defaultHandler = qInstallMessageHandler(messageHandler);
    QApplication app(argc, argv);
    starting = false;

    kestrune::QtForm form;
    form.window().show();
    return app.exec();
}
