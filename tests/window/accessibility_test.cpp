#include <QAccessible>
#include <QtTest>

#include "window/display_label.h"
#include "window/progress_bar.h"
#include "window_fixture.h"

using namespace kestrune;
using kestrune::testing::WindowFixture;

namespace {

QAccessibleInterface* accessible(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget);
}

}  // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void everyControlHasANameAndARole() {
        WindowFixture w;
        const std::pair<Button, const char*> buttons[] = {
            {Button::Command1, "开始"}, {Button::Command2, "暂停"}, {Button::Command3, "恢复"},
            {Button::Command4, "退出"}, {Button::Command5, "试敏"}, {Button::Command6, "体温"}};
        for (const auto& [button, name] : buttons) {
            QAccessibleInterface* a = accessible(w.window().button(button));
            QCOMPARE(a->role(), QAccessible::Button);
            QCOMPARE(a->text(QAccessible::Name), QString(name));
        }
        const std::pair<Combo, const char*> fields[] = {
            {Combo::Combo1, "小时"}, {Combo::Combo2, "分"}, {Combo::Combo3, "秒"}};
        for (const auto& [combo, name] : fields) {
            QAccessibleInterface* a = accessible(w.window().combo(combo));
            QCOMPARE(a->role(), QAccessible::ComboBox);
            QCOMPARE(a->text(QAccessible::Name), QString(name));
        }
        QAccessibleInterface* nameField = accessible(w.window().nameField());
        QCOMPARE(nameField->role(), QAccessible::EditableText);
        QCOMPARE(nameField->text(QAccessible::Name), QString("姓名"));

        for (int l = 0; l < labelCount; ++l) {
            QAccessibleInterface* a = accessible(w.window().label(Label(l)));
            QVERIFY2(!a->text(QAccessible::Name).isEmpty(), qPrintable(QString::number(l + 1)));
            QCOMPARE(a->role(), Label(l) == Label::Label7 ? QAccessible::ProgressBar
                                                          : QAccessible::StaticText);
        }
        QCOMPARE(accessible(w.window().label(Label::Label13))->text(QAccessible::Name),
                 QString("当前时间："));
    }

    void theDisplayReadsAsTheRemainingTime() {
        WindowFixture w;
        QTest::keyClicks(w.window().combo(Combo::Combo2)->lineEdit(), "5");
        QAccessibleInterface* display = accessible(w.window().display());
        QCOMPARE(display->text(QAccessible::Name), QString("剩余时间"));
        QCOMPARE(display->text(QAccessible::Value), QString("00:05:00"));
        QVERIFY(display->textInterface());
        QCOMPARE(display->textInterface()->text(0, display->textInterface()->characterCount()),
                 QString("00:05:00"));
    }

    void theBarReadsAsAProgressIndicatorWithItsValue() {
        WindowFixture w;
        QTest::keyClicks(w.window().combo(Combo::Combo2)->lineEdit(), "1");
        QAccessibleValueInterface* bar = accessible(w.window().progressBar())->valueInterface();
        QVERIFY(bar);
        QCOMPARE(bar->currentValue().toInt(), 0);
        QCOMPARE(bar->maximumValue().toInt(), 100);
        w.click(Button::Command1);
        w.tick(30);
        QCOMPARE(bar->currentValue().toInt(), 50);
    }

    // Offscreen there is no screen reader to receive the alert itself; what it would read is
    // checked here.
    void timeUpLeavesTheTimeUpTextForTheAlert() {
        WindowFixture w;
        QTest::keyClicks(w.window().combo(Combo::Combo3)->lineEdit(), "1");
        w.window().nameField()->setText("张三");
        w.click(Button::Command1);
        w.tick(2);
        QAccessibleInterface* display = accessible(w.window().display());
        QCOMPARE(display->text(QAccessible::Description), QString("张三时间到！"));
        QCOMPARE(display->text(QAccessible::Value), QString("张三时间到！"));
        // A named display raises no name change at each tick's new caption.
        QCOMPARE(display->text(QAccessible::Name), QString("剩余时间"));
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
