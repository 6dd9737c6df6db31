// Ending on a signal, on Linux. A signal handler may do next to nothing, so it only writes a byte
// to a socket that the event loop watches; the loop then quits as it does after Exit.
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>

#include "platform/ending/end_request.h"

namespace kestrune {

namespace {

int requestSocket[2] = {-1, -1};

void requestEnd(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(requestSocket[0], &byte, 1);
}

}  // namespace

void endOnSystemRequest() {
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, requestSocket) != 0) {
        return;
    }
    auto* notifier =
        new QSocketNotifier(requestSocket[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
        char byte = 0;
        while (read(requestSocket[1], &byte, 1) > 0) {
        }
        QCoreApplication::quit();
    });
    struct sigaction action {};
    action.sa_handler = &requestEnd;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        sigaction(signal, &action, nullptr);
    }
}

}  // namespace kestrune
