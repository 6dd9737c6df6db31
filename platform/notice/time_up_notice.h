#pragma once

#include <QIcon>
#include <QString>
#include <functional>
#include <memory>

namespace kestrune {

// What the nurse did with the notice: opened it (clicked it, or its default action), which brings
// the window forward too, or only answered it (its button "知道了").
enum class NoticeAction { Open, Acknowledge };

// The desktop notification at time up, for a nurse who is looking at another program: one per
// window, updated in place at each reminder, shown until withdrawn. Its action is reported through
// onAction on the window's thread. On Linux it goes through the freedesktop notification service
// on the session bus, from a thread of its own, so a missing, slow or hung bus never holds up the
// window; on Windows it is a message from an icon in the notification area. Whatever is shown is
// withdrawn when the notice goes, as the program ends. `icon` is the program's, where the system
// shows one beside the notice.
class TimeUpNotice {
public:
    TimeUpNotice(QIcon icon, std::function<void(NoticeAction)> onAction);
    ~TimeUpNotice();

    // Shows the notice, or updates the one shown. Its summary is "时间到！", its body `text`: the
    // patient's name, or which countdown it was, and how long it has gone unanswered.
    void show(const QString& text);
    void withdraw();

private:
    struct System;  // one file per system
    std::unique_ptr<System> system_;
};

}  // namespace kestrune
