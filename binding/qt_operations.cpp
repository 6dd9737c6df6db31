#include "binding/qt_operations.h"

#include <QAccessible>
#include <QApplication>
#include <QDateTime>
#include <QLocale>
#include <QScreen>

#include "platform/front/keep_in_front.h"
#include "window/layout.h"
#include "window/main_window.h"
#include "window/palette.h"
#include "window/qt_text.h"
#include "window/time_up_alert.h"
#include "window/window_icon.h"

namespace kestrune {

namespace {

QSize screenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize();
}

}  // namespace

QtOperations::QtOperations(MainWindow& window, std::function<void()> onTick,
                           std::function<void()> onReminder, std::function<void()> onNoticeAction)
    : window_(window),
      timer_(std::move(onTick)),
      reminder_(std::move(onReminder)),
      notice_(kestruneIcon(),
              [&window, onNoticeAction = std::move(onNoticeAction)](NoticeAction action) {
                  onNoticeAction();
                  if (action == NoticeAction::Open) {
                      window.show();
                      window.raise();
                      window.activateWindow();
                  }
              }),
      placesOwnWindow_(!DesktopPlace::placedByDesktop()) {
    window_.setMovedByDesktop(!placesOwnWindow_);
    for (int l = 0; l < labelCount; ++l) {
        widths_[l] = static_cast<float>(labelRects[l].width);
    }
    // However the program ends (Exit, a signal, the session or Windows ending), nothing it showed
    // about a patient stays on the desktop. Windows ends the program right after this signal.
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, &window_, [this] { withdrawTimeUp(); });
}

void QtOperations::setBackColor(Colour colour) {
    window_.setBackColor(toQColor(colour));
}

double QtOperations::windowLeft() const {
    return window_.x() * twipsPerPixel;
}
double QtOperations::windowTop() const {
    return window_.y() * twipsPerPixel;
}
double QtOperations::windowWidth() const {
    return window_.width() * twipsPerPixel;
}
double QtOperations::windowHeight() const {
    return window_.height() * twipsPerPixel;
}

void QtOperations::moveWindow(double left, double top) {
    if (placesOwnWindow_) {
        window_.move(toPixels(left), toPixels(top));
    }
}

void QtOperations::unload() {
    window_.close();
}

double QtOperations::screenWidth() const {
    return screenSize().width() * twipsPerPixel;
}
double QtOperations::screenHeight() const {
    return screenSize().height() * twipsPerPixel;
}

int QtOperations::desktopPlace() {
    return place_.claim();
}

std::string QtOperations::caption(Label label) const {
    return window_.label(label)->text().toStdString();
}

void QtOperations::setCaption(Label label, std::string_view caption) {
    window_.label(label)->setText(qText(caption));
}

void QtOperations::setVisible(Label label, bool visible) {
    window_.setLabelVisible(label, visible);
}

float QtOperations::width(Label label) const {
    return widths_[index(label)];
}

void QtOperations::setWidth(Label label, float width) {
    widths_[index(label)] = width;
    window_.setLabelWidth(label, width);
}

std::string QtOperations::text(Combo combo) const {
    return window_.combo(combo)->currentText().toStdString();
}

void QtOperations::setText(Combo combo, std::string_view text) {
    // Only the user's edits notify; the logic runs the change handler after its own assignments.
    window_.combo(combo)->setEditText(qText(text));
}

void QtOperations::addItem(Combo combo, std::string_view item) {
    window_.addChoice(combo, qText(item));
}

void QtOperations::setFocus(Combo combo) {
    window_.combo(combo)->setFocus(Qt::OtherFocusReason);
}

std::string QtOperations::nameText() const {
    return window_.nameField()->text().toStdString();
}

void QtOperations::setEnabled(Button button, bool enabled) {
    window_.button(button)->setEnabled(enabled);
}

void QtOperations::setTimerInterval(int milliseconds) {
    timer_.setInterval(milliseconds);
}
void QtOperations::setTimerEnabled(bool enabled) {
    timer_.setEnabled(enabled);
}

void QtOperations::beep() {
    QApplication::beep();
}

void QtOperations::prepareAlarm() {
    alarm_.prepare();
}

void QtOperations::soundAlarm() {
    alarm_.play();
}

void QtOperations::stayAwake(bool awake) {
    awake_.hold(awake);
}

void QtOperations::announceTimeUp(std::string_view spoken, std::string_view notice) {
    keepInFront(window_, true);
    QApplication::alert(&window_);
    QLabel* display = window_.label(Label::Label1);
    display->setAccessibleDescription(display->text());
    QAccessibleEvent alert(display, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
    window_.timeUpAlert()->announce(qText(spoken));
    notice_.show(qText(notice));
}

void QtOperations::withdrawTimeUp() {
    keepInFront(window_, false);
    window_.timeUpAlert()->withdraw();
    notice_.withdraw();
}

std::chrono::milliseconds QtOperations::sinceBoot() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        BootClock::now().time_since_epoch());
}

std::chrono::milliseconds QtOperations::tickDue() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        timer_.tickDue().time_since_epoch());
}

void QtOperations::wakeReminderAt(std::chrono::milliseconds due) {
    reminder_.wakeAt(BootClock::time_point(due));
}

void QtOperations::cancelReminder() {
    reminder_.cancel();
}

ClockReading QtOperations::now() const {
    const QDateTime now = QDateTime::currentDateTime();
    const QTime time = now.time();
    return ClockReading{time.hour(), time.minute(), time.second(),
                        QLocale::system().toString(now.date(), QLocale::ShortFormat).toStdString()};
}

}  // namespace kestrune
