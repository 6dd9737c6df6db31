#include "window/accessibility.h"

#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>

#include "window/display_label.h"
#include "window/main_window.h"
#include "window/progress_bar.h"
#include "window/time_up_alert.h"

namespace kestrune {

namespace {

// A widget whose text a screen reader reads on demand: read-only, no caret, no selection.
class ReadOnlyTextAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    using QAccessibleWidget::QAccessibleWidget;
    virtual QString shownText() const = 0;

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface*>(this)
                                                  : QAccessibleWidget::interface_cast(type);
    }
    // Both bases have a text(); the widget's one is kept in reach beside the text interface's.
    QString text(QAccessible::Text t) const override { return QAccessibleWidget::text(t); }
    QString text(int start, int end) const override { return shownText().mid(start, end - start); }
    int characterCount() const override { return int(shownText().size()); }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset;
        return {};
    }
};

// The display: its name says what it is; its value and its text are what it shows. It raises no
// event as the time goes down, so a screen reader reads it when asked and is not talked over.
class DisplayAccessible : public ReadOnlyTextAccessible {
public:
    explicit DisplayAccessible(DisplayLabel* display)
        : ReadOnlyTextAccessible(display, QAccessible::StaticText) {}

    QString shownText() const override { return static_cast<DisplayLabel*>(widget())->text(); }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Value ? shownText() : ReadOnlyTextAccessible::text(t);
    }
};

// A duration field: named by its caption whatever it holds (Qt's own names an editable list box
// by its text on Linux), its value the typed text.
class FieldAccessible : public QAccessibleWidget {
public:
    explicit FieldAccessible(QComboBox* field) : QAccessibleWidget(field, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Value ? static_cast<QComboBox*>(widget())->currentText()
                                       : QAccessibleWidget::text(t);
    }
};

// Time up: a notification that appears with the display's text. Screen readers speak a
// notification as it becomes showing, whichever window or control has the focus; Orca, for one,
// speaks an object that appears only if it is a notification or a tool tip, not an alert.
class AlertAccessible : public ReadOnlyTextAccessible {
public:
    AlertAccessible(TimeUpAlert* alert, QAccessible::Role role)
        : ReadOnlyTextAccessible(alert, role) {}

    QString shownText() const override { return static_cast<TimeUpAlert*>(widget())->text(); }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name || t == QAccessible::Value ? shownText()
                                                                 : ReadOnlyTextAccessible::text(t);
    }
};

class ProgressAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit ProgressAccessible(ProgressBar* bar)
        : QAccessibleWidget(bar, QAccessible::ProgressBar) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface*>(this)
                                                   : QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) {
            return QString::number(currentValue().toInt()) + QLatin1Char('%');
        }
        return QAccessibleWidget::text(t);
    }

    // Percent of the track filled.
    QVariant currentValue() const override {
        return qRound(static_cast<ProgressBar*>(widget())->twips() / 4215.0 * 100);
    }
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return 100; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }
};

QAccessible::Role timeUpRole = QAccessible::Notification;

QAccessibleInterface* factory(const QString&, QObject* object) {
    if (auto* window = qobject_cast<MainWindow*>(object)) {
        // A frame named by its title, as screen readers expect of a program's window.
        return new QAccessibleWidget(window, QAccessible::Window);
    }
    if (auto* field = qobject_cast<QComboBox*>(object);
        field && qobject_cast<MainWindow*>(field->parentWidget())) {
        return new FieldAccessible(field);
    }
    if (auto* alert = dynamic_cast<TimeUpAlert*>(object)) {
        return new AlertAccessible(alert, timeUpRole);
    }
    if (auto* display = dynamic_cast<DisplayLabel*>(object)) {
        return new DisplayAccessible(display);
    }
    if (auto* bar = dynamic_cast<ProgressBar*>(object)) {
        return new ProgressAccessible(bar);
    }
    return nullptr;
}

}  // namespace

void installAccessibleInterfaces(QAccessible::Role role) {
    static const bool installed = [role] {
        timeUpRole = role;
        QAccessible::installFactory(factory);
        return true;
    }();
    (void)installed;
}

void makeAccessible(MainWindow& window) {
    // Captions and buttons are named by their texts; the rest are named here.
    window.display()->setAccessibleName(QStringLiteral("剩余时间"));
    window.progressBar()->setAccessibleName(QStringLiteral("进度"));
    window.label(Label::Label3)->setAccessibleName(QStringLiteral("进度条轨道"));
    window.label(Label::Label12)->setAccessibleName(QStringLiteral("当前时间"));
    window.label(Label::Label11)->setAccessibleName(QStringLiteral("开始时间"));
    window.label(Label::Label8)->setAccessibleName(QStringLiteral("完成时间"));
    window.combo(Combo::Combo1)->setAccessibleName(QStringLiteral("小时"));
    window.combo(Combo::Combo2)->setAccessibleName(QStringLiteral("分"));
    window.combo(Combo::Combo3)->setAccessibleName(QStringLiteral("秒"));
    window.nameField()->setAccessibleName(QStringLiteral("姓名"));
    // Each field is labelled by its caption.
    window.label(Label::Label4)->setBuddy(window.combo(Combo::Combo1));
    window.label(Label::Label5)->setBuddy(window.combo(Combo::Combo2));
    window.label(Label::Label6)->setBuddy(window.combo(Combo::Combo3));
    window.label(Label::Label2)->setBuddy(window.nameField());
}

}  // namespace kestrune
