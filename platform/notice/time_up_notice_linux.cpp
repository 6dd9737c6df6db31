// The time-up notice through the freedesktop notification service. Everything that touches the
// bus runs on the notice's own thread: connecting to a bus may wait on it (a hung bus for up to
// its timeout), and the window's thread must never wait.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>
#include <optional>

#include "platform/bus/bus_thread.h"
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

// Lives on the notice's thread; its slots run there. Its calls wait for the server's answer, up to
// a short timeout, so that the notice's id is known before anything else is asked of it: the next
// reminder updates that notice, and withdrawing it at the program's end finds it.
class NoticeOnBus : public QObject {
    Q_OBJECT

public:
    explicit NoticeOnBus(std::function<void(NoticeAction)> onAction)
        : onAction_(std::move(onAction)) {}
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

    void show(const QString& text) {
        if (!connected()) {
            return;
        }
        const QVariantMap hints{
            {QStringLiteral("urgency"), QVariant::fromValue<uchar>(2)},
            {QStringLiteral("desktop-entry"), QStringLiteral("org.kestrune.Kestrune")}};
        const QStringList actions{QStringLiteral("default"), QStringLiteral("打开"),
                                  acknowledgeAction, QStringLiteral("知道了")};
        // Critical, and 0: it never expires of itself. Given the id of the one shown, the server
        // replaces it rather than adding another.
        const QDBusMessage reply =
            bus_->call(call(QStringLiteral("Notify"),
                            {QStringLiteral("Kestrune"), id_, QStringLiteral("kestrune"),
                             QStringLiteral("时间到！"), text, actions, hints, 0}),
                       QDBus::Block, answerTimeout);
        if (reply.type() == QDBusMessage::ReplyMessage) {
            id_ = reply.arguments().value(0).toUInt();
        }
    }

    void withdraw() {
        if (id_ != 0 && bus_) {
            bus_->call(call(QStringLiteral("CloseNotification"), {id_}), QDBus::Block,
                       answerTimeout);
            id_ = 0;
        }
    }

private slots:
    void actionInvoked(uint id, const QString& action) {
        if (id != 0 && id == id_) {
            onAction_(action == acknowledgeAction ? NoticeAction::Acknowledge : NoticeAction::Open);
        }
    }
    void closed(uint id, uint) {
        if (id == id_) {
            id_ = 0;
        }
    }

private:
    static constexpr int answerTimeout = 2000;  // ms
    inline static const QString acknowledgeAction = QStringLiteral("acknowledge");

    std::function<void(NoticeAction)> onAction_;
    std::optional<QDBusConnection> bus_;
    uint id_ = 0;  // of the notice shown, 0 for none
};

struct TimeUpNotice::System {
    NoticeOnBus* notice;
    BusThread thread;
};

// The notification service shows the icon the desktop entry names.
TimeUpNotice::TimeUpNotice(QIcon, std::function<void(NoticeAction)> onAction) {
    // Actions are reported on the window's thread.
    auto* notice = new NoticeOnBus([onAction](NoticeAction action) {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [onAction, action] { onAction(action); },
            Qt::QueuedConnection);
    });
    system_.reset(new System{notice, BusThread(QStringLiteral("kestrune-notice"), notice)});
    system_->thread.post(notice, [](NoticeOnBus& n) { n.connected(); });
}

// The thread runs what was posted to it before it ends: the notice is withdrawn first.
TimeUpNotice::~TimeUpNotice() {
    withdraw();
}

void TimeUpNotice::show(const QString& text) {
    system_->thread.post(system_->notice, [text](NoticeOnBus& n) { n.show(text); });
}

void TimeUpNotice::withdraw() {
    system_->thread.post(system_->notice, [](NoticeOnBus& n) { n.withdraw(); });
}

}  // namespace kestrune

#include "time_up_notice_linux.moc"
