#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/ending/end_request.h"
#include "binding/qt_form.h"
#include "compat/qt_compat.h"

namespace {

struct Message {
    QtMsgType type;
    QString text;
};

bool starting = true;
std::vector<Message> startMessages;
QtMessageHandler defaultHandler = nullptr;

// Without a display Qt gives up with a fatal message and aborts, leaving a core dump. While the
// program starts, hold Qt's messages back; if it cannot start, say plainly why and leave with an
// error status instead.
void messageHandler(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (starting) {
        if (type == QtFatalMsg) {
            std::fputs("kestrune: there is no display to open the window on.\n", stderr);
            std::fflush(stderr);
            std::_Exit(EXIT_FAILURE);
        }
        startMessages.push_back({type, text});
        return;
    }
    if (defaultHandler) {
        defaultHandler(type, context, text);
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    defaultHandler = qInstallMessageHandler(messageHandler);
    kestrune::scaleToTheDisplay();
    QApplication app(argc, argv);
    starting = false;
    for (const Message& message : startMessages) {
        messageHandler(message.type, QMessageLogContext(), message.text);
    }
    startMessages.clear();

    kestrune::endOnSystemRequest();
    kestrune::QtForm form;
    form.window().show();
    return app.exec();
}
