// The time-up notice through the freedesktop notification service. Everything that touches the
// bus runs on the notice's own thread: connecting to a bus may wait on it (a hung bus for up to
// its timeout), and the window's thread must never wait.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>
#include <optional>

#include "platform/bus_thread.h"
#include "platform/notice/time_up_notice.h"

namespace kestrune {

namespace {

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");
const QString interface = service;
const QString connectionName = QStringLiteral("kestrune-notice");

QDBusMessage call(const QString& method, const QVariantList& arguments) {
    QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
    message.setArguments(arguments);
    return message;
}

}  // namespace

// Lives on the notice's thread; its slots run there.
class NoticeOnBus : public QObject {
    Q_OBJECT

public:
    explicit NoticeOnBus(std::function<void()> onActivated)
        : onActivated_(std::move(onActivated)) {}
    ~NoticeOnBus() override { QDBusConnection::disconnectFromBus(connectionName); }

    // Connecting waits for the bus's answer, and Qt makes every connection of the program on one
    // thread of its own: while the bus does not answer, the window's own accessibility link waits
    // too, and would hold up the program's end. So the notice connects as the program starts,
    // while the bus is likely well, rather than at time up.
    bool connected() {
        return connectBus(
            bus_, QDBusConnection::SessionBus, connectionName, [this](QDBusConnection& bus) {
                // No sender named: naming one would ask the bus who owns it, and
                // wait for the answer.
                bus.connect(QString(), path, interface, QStringLiteral("ActionInvoked"), this,
                            SLOT(actionInvoked(uint, QString)));
                bus.connect(QString(), path, interface, QStringLiteral("NotificationClosed"), this,
                            SLOT(closed(uint, uint)));
            });
    }

    void show(const QString& whose) {
        if (!connected()) {
            return;
        }
        const QVariantMap hints{
            {QStringLiteral("urgency"), QVariant::fromValue<uchar>(2)},
            {QStringLiteral("desktop-entry"), QStringLiteral("org.kestrune.Kestrune")}};
        const QStringList actions{QStringLiteral("default"), QStringLiteral("打开")};
        // Critical, and 0: it never expires of itself.
        const QDBusMessage notify = call(
            QStringLiteral("Notify"), {QStringLiteral("Kestrune"), id_, QStringLiteral("kestrune"),
                                       QStringLiteral("时间到！"), whose, actions, hints, 0});
        closeWhenShown_ = false;
        ++pending_;
        bus_->callWithCallback(notify, this, SLOT(shown(QDBusMessage)), SLOT(notShown()));
    }

    void withdraw() {
        if (pending_ > 0) {
            closeWhenShown_ = true;
        } else if (id_ != 0) {
            bus_->call(call(QStringLiteral("CloseNotification"), {id_}), QDBus::NoBlock);
            id_ = 0;
        }
    }

private slots:
    void shown(const QDBusMessage& reply) {
        --pending_;
        id_ = reply.arguments().value(0).toUInt();
        if (closeWhenShown_ && pending_ == 0) {
            closeWhenShown_ = false;
            withdraw();
        }
    }
    void notShown() { --pending_; }

    void actionInvoked(uint id, const QString&) {
        if (id != 0 && id == id_) {
            onActivated_();
        }
    }
    void closed(uint id, uint) {
        if (id == id_) {
            id_ = 0;
        }
    }

private:
    std::function<void()> onActivated_;
    std::optional<QDBusConnection> bus_;
    uint id_ = 0;  // of the notice shown, 0 for none
    int pending_ = 0;
    bool closeWhenShown_ = false;
};

struct TimeUpNotice::System {
    NoticeOnBus* notice;
    BusThread thread;
};

TimeUpNotice::TimeUpNotice(std::function<void()> onActivated) {
    // Activation is reported on the window's thread.
    auto* notice = new NoticeOnBus([onActivated] {
        QMetaObject::invokeMethod(QCoreApplication::instance(), onActivated, Qt::QueuedConnection);
    });
    system_.reset(new System{notice, BusThread(QStringLiteral("kestrune-notice"), notice)});
    system_->thread.post(notice, [](NoticeOnBus& n) { n.connected(); });
}

TimeUpNotice::~TimeUpNotice() = default;

void TimeUpNotice::show(const QString& whose) {
    system_->thread.post(system_->notice, [whose](NoticeOnBus& n) { n.show(whose); });
}

void TimeUpNotice::withdraw() {
    system_->thread.post(system_->notice, [](NoticeOnBus& n) { n.withdraw(); });
}

}  // namespace kestrune

#include "time_up_notice_dbus.moc"
