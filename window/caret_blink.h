#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>

namespace kestrune {

// A blinking caret wakes the program twice a second for as long as a field has the focus, and
// time up leaves the focus in the hours field. So the caret blinks only for a while after the last
// key, click or change of focus, then holds still until the next.
class CaretBlinkLimit : public QObject {
public:
    explicit CaretBlinkLimit(std::chrono::milliseconds blinkFor = std::chrono::seconds(10));
    ~CaretBlinkLimit() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int flashTime_;  // the desktop's own
    QTimer still_;
};

}  // namespace kestrune
