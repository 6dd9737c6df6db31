#include "platform/bus/bus_thread.h"

#include <QDeadlineTimer>
#include <chrono>
#include <cstdlib>

namespace kestrune {

BusThread::BusThread(const QString& name, QObject* worker) : worker_(worker) {
    worker->moveToThread(&thread_);
    QObject::connect(&thread_, &QThread::finished, worker, &QObject::deleteLater);
    thread_.setObjectName(name);
    thread_.start();
}

BusThread::~BusThread() {
    using namespace std::chrono_literals;
    QMetaObject::invokeMethod(
        worker_, [this] { thread_.quit(); }, Qt::QueuedConnection);
    if (!thread_.wait(QDeadlineTimer(2s))) {
        std::_Exit(EXIT_SUCCESS);
    }
}

bool connectBus(std::optional<QDBusConnection>& bus, QDBusConnection::BusType type,
                const QString& name, const std::function<void(QDBusConnection&)>& made) {
    if (bus && bus->isConnected()) {
        return true;
    }
    bus.reset();
    QDBusConnection::disconnectFromBus(name);
    QDBusConnection connection = QDBusConnection::connectToBus(type, name);
    if (!connection.isConnected()) {
        return false;
    }
    if (made) {
        made(connection);
    }
    bus = connection;
    return true;
}

}  // namespace kestrune
