#pragma once

#include <array>
#include <functional>

#include "control/operations.h"
#include "platform/awake/stay_awake.h"
#include "platform/notice/time_up_notice.h"
#include "platform/place/desktop_place.h"
#include "platform/sound/alarm_sound.h"
#include "platform/timer/qt_tick_timer.h"
#include "platform/wakeup/wake_timer.h"

namespace kestrune {

class MainWindow;

// The logic's operations carried out on the Qt window. Label widths are kept in single-precision
// twips, so the progress bar grows by fractions of a pixel; the screen shows whole pixels.
class QtOperations : public Operations {
public:
    // onTick and onReminder are the two timers' ticks; onNoticeAction, the notification's action.
    QtOperations(MainWindow& window, std::function<void()> onTick, std::function<void()> onReminder,
                 std::function<void()> onNoticeAction);

    void setBackColor(Colour colour) override;
    double windowLeft() const override;
    double windowTop() const override;
    double windowWidth() const override;
    double windowHeight() const override;
    void moveWindow(double left, double top) override;
    void unload() override;

    double screenWidth() const override;
    double screenHeight() const override;
    int desktopPlace() override;

    std::string caption(Label label) const override;
    void setCaption(Label label, std::string_view caption) override;
    void setVisible(Label label, bool visible) override;
    float width(Label label) const override;
    void setWidth(Label label, float width) override;

    std::string text(Combo combo) const override;
    void setText(Combo combo, std::string_view text) override;
    void addItem(Combo combo, std::string_view item) override;
    void setFocus(Combo combo) override;

    std::string nameText() const override;

    void setEnabled(Button button, bool enabled) override;

    void setTimerInterval(int milliseconds) override;
    void setTimerEnabled(bool enabled) override;

    void beep() override;
    void prepareAlarm() override;
    void soundAlarm() override;
    void stayAwake(bool awake) override;
    void announceTimeUp(std::string_view spoken, std::string_view notice) override;
    void withdrawTimeUp() override;
    ClockReading now() const override;
    std::chrono::milliseconds sinceBoot() const override;
    std::chrono::milliseconds tickDue() const override;
    void wakeReminderAt(std::chrono::milliseconds due) override;
    void cancelReminder() override;

private:
    MainWindow& window_;
    QtTickTimer timer_;
    WakeTimer reminder_;
    AlarmSound alarm_;
    TimeUpNotice notice_;
    StayAwake awake_;
    DesktopPlace place_;
    bool placesOwnWindow_;
    std::array<float, labelCount> widths_{};
};

}  // namespace kestrune
