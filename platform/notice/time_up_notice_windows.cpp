// The time-up notice on Windows: a message from an icon in the notification area, which Windows 10
// and 11 show as a toast and keep in the notification centre. The icon is there only while the
// notice is: Windows shows such messages only for an icon of the program's, and taking the icon
// away takes its message with it. Each reminder shows the message again, updated; clicking the
// message or the icon brings the window forward and answers time up. The icon goes with the
// notice, as the program ends too.
// Everything here is Windows' own shell call on the window's thread. The shell answers at once on
// Windows; Wine's shell, with no window manager to withdraw its emptied tray window, answers the
// icon's removal up to 2 s late, which holds up Reset only under Wine on a bare X server.
#include <windows.h>
// windows.h before shobjidl.h, which needs it.
#include <shobjidl.h>

#include <QSystemTrayIcon>

#include "platform/notice/time_up_notice.h"

namespace kestrune {

namespace {

// The id Windows files the notifications under; the installers give the Start menu entry the same
// one (data/kestrune.nsi, data/kestrune.wxs through the build), so that they are shown as
// Kestrune's.
constexpr wchar_t appUserModelId[] = L"Kestrune.Timer";

}  // namespace

struct TimeUpNotice::System {
    QIcon programIcon;
    std::function<void(NoticeAction)> onAction;
    std::unique_ptr<QSystemTrayIcon> icon;
};

TimeUpNotice::TimeUpNotice(QIcon icon, std::function<void(NoticeAction)> onAction)
    : system_(std::make_unique<System>(System{std::move(icon), std::move(onAction), nullptr})) {
    SetCurrentProcessExplicitAppUserModelID(appUserModelId);
}

TimeUpNotice::~TimeUpNotice() = default;

void TimeUpNotice::show(const QString& text) {
    if (!system_->icon) {
        system_->icon = std::make_unique<QSystemTrayIcon>(system_->programIcon);
        system_->icon->setToolTip(QStringLiteral("Kestrune"));
        const auto open = [this] { system_->onAction(NoticeAction::Open); };
        QObject::connect(system_->icon.get(), &QSystemTrayIcon::messageClicked, open);
        QObject::connect(system_->icon.get(), &QSystemTrayIcon::activated, open);
    }
    system_->icon->show();
    // Shown until dismissed where Windows allows it; it then stays in the notification centre.
    system_->icon->showMessage(QStringLiteral("时间到！"), text, system_->programIcon, 0);
}

void TimeUpNotice::withdraw() {
    if (system_->icon) {
        system_->icon->hide();
    }
}

}  // namespace kestrune
