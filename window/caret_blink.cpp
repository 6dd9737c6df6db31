#include "window/caret_blink.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QStyleHints>

namespace kestrune {

namespace {

bool showsACaret(const QObject* widget) {
    const auto* combo = qobject_cast<const QComboBox*>(widget);
    return qobject_cast<const QLineEdit*>(widget) || (combo && combo->isEditable());
}

}  // namespace

CaretBlinkLimit::CaretBlinkLimit(std::chrono::milliseconds blinkFor)
    : flashTime_(QGuiApplication::styleHints()->cursorFlashTime()) {
    still_.setSingleShot(true);
    still_.setInterval(blinkFor);
    connect(&still_, &QTimer::timeout, this,
            [] { QGuiApplication::styleHints()->setCursorFlashTime(0); });
    qApp->installEventFilter(this);
}

CaretBlinkLimit::~CaretBlinkLimit() {
    QGuiApplication::styleHints()->setCursorFlashTime(flashTime_);
}

bool CaretBlinkLimit::eventFilter(QObject* watched, QEvent* event) {
    const bool caretMoves =
        (event->type() == QEvent::FocusIn && showsACaret(watched)) ||
        ((event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonPress) &&
         showsACaret(QApplication::focusWidget()));
    if (caretMoves) {
        if (QGuiApplication::styleHints()->cursorFlashTime() != flashTime_) {
            QGuiApplication::styleHints()->setCursorFlashTime(flashTime_);
        }
        still_.start();
    }
    return false;
}

}  // namespace kestrune
