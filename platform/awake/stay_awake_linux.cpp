// Staying awake on Linux: a sleep inhibitor from logind (systemd-logind or elogind) on the system
// bus. logind keeps the computer from sleeping for as long as the descriptor it hands back stays
// open, and closing it, or the program's end, lets the computer sleep again. Only sleep is
// inhibited, never the idle action that blanks and locks the screen. Everything on the bus runs on
// a thread of its own: without a system bus or logind, or with logind hung, the window never
// waits and nothing is held.
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusUnixFileDescriptor>
#include <optional>

#include "platform/awake/stay_awake.h"
#include "platform/bus/bus_thread.h"

namespace kestrune {

namespace {

const QString connectionName = QStringLiteral("kestrune-awake");

}  // namespace

// Lives on the thread of its own; its slots run there.
class SleepInhibitor : public QObject {
    Q_OBJECT

public:
    ~SleepInhibitor() override {
        if (bus_) {
            QDBusConnection::disconnectFromBus(connectionName);
        }
    }

    void hold(bool wanted) {
        wanted_ = wanted;
        if (!wanted) {
            held_ = QDBusUnixFileDescriptor();  // closes it
            return;
        }
        if (held_.isValid() || asking_ || !connected()) {
            return;
        }
        QDBusMessage inhibit = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
            QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("Inhibit"));
        // Who and why are shown to every user of the computer (systemd-inhibit --list), so they
        // never name the patient.
        inhibit.setArguments({QStringLiteral("sleep"), QStringLiteral("Kestrune"),
                              QStringLiteral("倒计时进行中，到时需提醒"), QStringLiteral("block")});
        asking_ = true;
        bus_->callWithCallback(inhibit, this, SLOT(granted(QDBusMessage)), SLOT(refused()));
    }

private slots:
    void granted(const QDBusMessage& reply) {
        asking_ = false;
        // A descriptor that comes after the countdown stopped closes with the reply.
        if (wanted_) {
            held_ = reply.arguments().value(0).value<QDBusUnixFileDescriptor>();
        }
    }
    void refused() { asking_ = false; }

private:
    // Connects on the first countdown.
    bool connected() { return connectBus(bus_, QDBusConnection::SystemBus, connectionName); }

    std::optional<QDBusConnection> bus_;
    QDBusUnixFileDescriptor held_;
    bool wanted_ = false;
    bool asking_ = false;
};

struct StayAwake::System {
    SleepInhibitor* inhibitor;
    BusThread thread;
};

StayAwake::StayAwake() = default;
StayAwake::~StayAwake() = default;

void StayAwake::hold(bool awake) {
    if (!system_) {
        if (!awake) {
            return;
        }
        // The thread starts with the first countdown: it costs nothing to a program only opened.
        auto* inhibitor = new SleepInhibitor;
        system_.reset(
            new System{inhibitor, BusThread(QStringLiteral("kestrune-awake"), inhibitor)});
    }
    system_->thread.post(system_->inhibitor, [awake](SleepInhibitor& i) { i.hold(awake); });
}

}  // namespace kestrune

#include "stay_awake_linux.moc"
