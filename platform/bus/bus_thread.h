#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QThread>
#include <functional>
#include <optional>
#include <utility>

namespace kestrune {

// A thread on which the program talks to D-Bus. Connecting to a bus waits for the bus's answer, for
// up to its 25-second timeout when it hangs, so it never happens on the window's thread: the
// window's thread only posts work here, and what runs here reaches the window only by posting
// back. The object given to it lives here and is deleted here when the thread ends.
class BusThread {
public:
    BusThread(const QString& name, QObject* worker);
    // Ends the thread, once it has done the work posted before, and waits for it. A thread that a
    // hung bus still holds after a few seconds means that Qt's own D-Bus thread is held too, and
    // would hold up the program's end for the bus's timeout: then the program ends at once, with
    // nothing left to save.
    ~BusThread();

    // Runs `work` on the thread, with the worker.
    template <typename Worker, typename Work>
    void post(Worker* worker, Work work) {
        QMetaObject::invokeMethod(
            worker, [worker, work = std::move(work)] { work(*worker); }, Qt::QueuedConnection);
    }

private:
    QThread thread_;
    QObject* worker_;
};

// On a bus thread: connects to the bus of `type` under the connection name `name`, unless `bus` is
// connected already (again after a failed attempt or a lost connection, as a desktop session or a
// bus may come later); `made` is called with each new connection. False when there is none.
bool connectBus(std::optional<QDBusConnection>& bus, QDBusConnection::BusType type,
                const QString& name, const std::function<void(QDBusConnection&)>& made = {});

}  // namespace kestrune
