// Where the desktop has no notification service that Qt reaches, the flashing taskbar entry and
// the red window are the notice.
#include "platform/notice/time_up_notice.h"

namespace kestrune {

struct TimeUpNotice::System {};

TimeUpNotice::TimeUpNotice(QIcon, std::function<void(NoticeAction)>) {}
TimeUpNotice::~TimeUpNotice() = default;
void TimeUpNotice::show(const QString&) {}
void TimeUpNotice::withdraw() {}

}  // namespace kestrune
