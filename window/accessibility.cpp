#include "window/accessibility.h"

#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>

#include "window/display_label.h"
#include "window/main_window.h"
#include "window/progress_bar.h"

namespace kestrune {

namespace {

// The display: its name says what it is, its value is what it shows.
class DisplayAccessible : public QAccessibleWidget {
public:
    explicit DisplayAccessible(DisplayLabel* display)
        : QAccessibleWidget(display, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) {
            return static_cast<DisplayLabel*>(widget())->text();
        }
        return QAccessibleWidget::text(t);
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

QAccessibleInterface* factory(const QString&, QObject* object) {
    if (auto* display = dynamic_cast<DisplayLabel*>(object)) {
        return new DisplayAccessible(display);
    }
    if (auto* bar = dynamic_cast<ProgressBar*>(object)) {
        return new ProgressAccessible(bar);
    }
    return nullptr;
}

}  // namespace

void makeAccessible(MainWindow& window) {
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    (void)installed;

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
}

}  // namespace kestrune
