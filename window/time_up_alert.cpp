#include "window/time_up_alert.h"

namespace kestrune {

TimeUpAlert::TimeUpAlert(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 1, 1);
    hide();
}

void TimeUpAlert::announce(const QString& text) {
    // Hidden first, so that a second time up is announced again.
    hide();
    text_ = text;
    show();
}

void TimeUpAlert::withdraw() {
    hide();
}

}  // namespace kestrune
