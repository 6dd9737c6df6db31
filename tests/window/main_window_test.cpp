#include <QtTest>

#include "control/states.h"
#include "window/display_label.h"
#include "window/main_window.h"
#include "window/panel_shape.h"
#include "window_fixture.h"

using namespace kestrune;
using kestrune::testing::WindowFixture;

Q_DECLARE_METATYPE(kestrune::Label)
Q_DECLARE_METATYPE(kestrune::Combo)
Q_DECLARE_METATYPE(kestrune::Button)

namespace {

const QColor teal(0, 128, 128);
const QColor grey(128, 128, 128);
const QColor green(0, 192, 0);

// A mouse move with these buttons held, sent to the widget. QTest::mouseMove moves the cursor on
// Qt 5, which the offscreen platform does not turn into an event, and holds no button there.
void moveMouse(QWidget* widget, QPoint at, Qt::MouseButtons held) {
    QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, held,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void opensBorderlessAtItsSize() {
        WindowFixture w;
        QVERIFY(w.window().windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(w.window().windowTitle(), QString("Kestrune"));
        QCOMPARE(w.window().size(), QSize(355, 180));
        QCOMPARE(w.window().minimumSize(), w.window().maximumSize());
        QCOMPARE(w.window().combo(Combo::Combo1)->count(), 101);
        QCOMPARE(w.window().combo(Combo::Combo2)->count(), 61);
        QCOMPARE(w.window().combo(Combo::Combo3)->currentText(), QString());
    }

    void theIconIsSetOnceTheWindowIsDrawn() {
        WindowFixture w;
        QVERIFY(w.show());
        QTRY_VERIFY(!w.window().windowIcon().isNull());
        const QList<QSize> sizes = w.window().windowIcon().availableSizes();
        for (int size : {16, 32, 48, 256}) {
            QVERIFY(sizes.contains(QSize(size, size)));
        }
    }

    void labelsStandInPlace_data() {
        QTest::addColumn<Label>("label");
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<QString>("text");
        QTest::newRow("Label13 clock caption")
            << Label::Label13 << QRect(24, 16, 73, 17) << "当前时间：";
        QTest::newRow("Label12 clock value") << Label::Label12 << QRect(96, 16, 193, 17) << "";
        QTest::newRow("Label1 display") << Label::Label1 << QRect(24, 40, 265, 57) << "00:00:00";
        QTest::newRow("Label10 start caption")
            << Label::Label10 << QRect(24, 96, 65, 17) << "开始时间：";
        QTest::newRow("Label11 start value") << Label::Label11 << QRect(80, 96, 65, 17) << "";
        QTest::newRow("Label9 finish caption")
            << Label::Label9 << QRect(152, 96, 65, 17) << "完成时间：";
        QTest::newRow("Label8 finish value") << Label::Label8 << QRect(216, 96, 73, 17) << "";
        QTest::newRow("Label4 hours") << Label::Label4 << QRect(16, 128, 25, 17) << "小时";
        QTest::newRow("Label5 minutes") << Label::Label5 << QRect(80, 128, 25, 17) << "分";
        QTest::newRow("Label6 seconds") << Label::Label6 << QRect(144, 128, 25, 17) << "秒";
        QTest::newRow("Label2 name") << Label::Label2 << QRect(216, 128, 25, 17) << "姓名";
        QTest::newRow("Label3 track") << Label::Label3 << QRect(16, 152, 281, 17) << "";
        // The bar spans its track and paints only its own width.
        QTest::newRow("Label7 bar") << Label::Label7 << QRect(16, 152, 281, 17) << "";
    }

    void labelsStandInPlace() {
        QFETCH(Label, label);
        QFETCH(QRect, rect);
        QFETCH(QString, text);
        WindowFixture w;
        QCOMPARE(w.window().label(label)->geometry(), rect);
        QCOMPARE(w.window().label(label)->text(), text);
    }

    void fieldsAndButtonsStandInPlace() {
        WindowFixture w;
        QCOMPARE(w.window().panel()->geometry(), QRect(16, 8, 281, 113));
        QCOMPARE(w.window().combo(Combo::Combo1)->geometry(), QRect(40, 125, 41, 20));
        QCOMPARE(w.window().combo(Combo::Combo2)->geometry(), QRect(104, 125, 41, 20));
        QCOMPARE(w.window().combo(Combo::Combo3)->geometry(), QRect(168, 125, 41, 20));
        QCOMPARE(w.window().nameField()->geometry(), QRect(240, 127, 57, 18));
        const std::pair<Button, QString> column[] = {
            {Button::Command1, "开始"}, {Button::Command2, "暂停"}, {Button::Command3, "恢复"},
            {Button::Command6, "体温"}, {Button::Command5, "试敏"}, {Button::Command4, "退出"}};
        const int tops[] = {8, 37, 66, 94, 123, 152};
        for (int i = 0; i < 6; ++i) {
            QPushButton* button = w.window().button(column[i].first);
            QCOMPARE(button->geometry(), QRect(304, tops[i], 41, 21));
            QCOMPARE(button->text(), column[i].second);
            QCOMPARE(button->isEnabled(), column[i].first != Button::Command3);
        }
    }

    void fieldsAndButtonsAreDrawnAboveTheLabels() {
        WindowFixture w;
        const QObjectList& children = w.window().children();
        const auto stacking = [&](QObject* o) { return children.indexOf(o); };
        for (int l = 0; l < labelCount; ++l) {
            QVERIFY(stacking(w.window().label(Label(l))) > stacking(w.window().panel()));
            QVERIFY(stacking(w.window().label(Label(l))) <
                    stacking(w.window().combo(Combo::Combo1)));
        }
        QVERIFY(stacking(w.window().label(Label::Label7)) >
                stacking(w.window().label(Label::Label3)));
    }

    void focusStartsOnStartAndTabSkipsADisabledReset() {
        WindowFixture w;
        QVERIFY(w.show());
        QCOMPARE(QApplication::focusWidget(), w.window().button(Button::Command1));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.window().button(Button::Command2));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.window().button(Button::Command4));

        w.window().nameField()->setFocus();
        const QWidget* expected[] = {w.window().button(Button::Command5),
                                     w.window().button(Button::Command6),
                                     w.window().button(Button::Command1)};
        for (const QWidget* next : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
    }

    void stateColourShowsAroundThePanelInEveryState_data() {
        QTest::addColumn<int>("state");
        QTest::addColumn<QColor>("background");
        QTest::newRow("idle") << 0 << QColor(224, 224, 224);
        QTest::newRow("running") << 1 << QColor(0, 192, 192);
        QTest::newRow("paused") << 2 << QColor(128, 128, 255);
        QTest::newRow("time up") << 3 << QColor(192, 0, 0);
    }

    void stateColourShowsAroundThePanelInEveryState() {
        QFETCH(int, state);
        QFETCH(QColor, background);
        WindowFixture w;
        QVERIFY(w.show());
        w.typeSeconds("2");
        if (state >= 1) {
            w.click(Button::Command1);
        }
        if (state == 2) {
            w.click(Button::Command2);
        }
        if (state == 3) {
            w.tick(3);
        }
        const QImage image = w.grab();
        QCOMPARE(w.colourAt(image, 5, 5), background);      // above the panel
        QCOMPARE(w.colourAt(image, 300, 165), background);  // between track and Exit
        QCOMPARE(w.colourAt(image, 150, 148), background);  // between entry row and track
        QCOMPARE(w.colourAt(image, 18, 60), teal);          // the panel
        QCOMPARE(w.colourAt(image, 30, 92), teal);          // the display
        QCOMPARE(w.colourAt(image, 17, 129), w.window().palette().color(QPalette::Button));
        QCOMPARE(w.colourAt(image, 290, 160), grey);  // the track
    }

    void barWidthRoundsToWholePixels() {
        WindowFixture w;
        QVERIFY(w.show());
        QCOMPARE(w.barPixels(w.grab()), 0);
        QTest::keyClicks(w.window().combo(Combo::Combo2)->lineEdit(), "1");
        w.click(Button::Command1);
        w.tick();  // 70.25 twips: 4.68 pixels
        QCOMPARE(w.barPixels(w.grab()), 5);
        w.tick(59);
        const QImage full = w.grab();
        QCOMPARE(w.barPixels(full), 281);
        QCOMPARE(w.colourAt(full, 16, 160), green);
        QCOMPARE(w.colourAt(full, 296, 160), green);
        QCOMPARE(w.colourAt(full, 297, 160), QColor(0, 192, 192));  // the window beyond it
    }

    void aLongNameIsScaledDownToFitTheDisplay() {
        WindowFixture w;
        QVERIFY(w.show());
        w.window().nameField()->setText("欧阳娜娜欧阳娜娜Alexandra");
        w.click(Button::Command1);
        w.tick();
        DisplayLabel* display = w.window().display();
        QCOMPARE(display->text(), QString("欧阳娜娜欧阳娜娜Alexandra时间到！"));
        const QFont fitted = display->fittedFont();
        QVERIFY(fitted.pointSizeF() < 27.6);
        QVERIFY(QFontMetricsF(fitted).horizontalAdvance(display->text()) <= display->width());
        QCOMPARE(display->fittedFont().bold(), true);
    }

    void draggingTheBackgroundMovesTheWindow() {
        WindowFixture w;
        QVERIFY(w.show());
        MainWindow& window = w.window();
        window.move(100, 100);
        // 300 twips right and 150 down are 20 and 10 pixels.
        QTest::mousePress(&window, Qt::LeftButton, {}, QPoint(5, 5));
        moveMouse(&window, QPoint(25, 15), Qt::LeftButton);
        QTest::mouseRelease(&window, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(window.pos(), QPoint(120, 110));

        moveMouse(&window, QPoint(80, 80), Qt::NoButton);
        QCOMPARE(window.pos(), QPoint(120, 110));
    }

    void aPressOnThePanelDragsButOnTheDisplayOrAButtonDoesNot() {
        WindowFixture w;
        QVERIFY(w.show());
        MainWindow& window = w.window();
        window.move(100, 100);
        QWidget* display = w.window().display();
        QTest::mousePress(display, Qt::LeftButton, {}, QPoint(10, 10));
        moveMouse(&window, QPoint(60, 60), Qt::LeftButton);
        QTest::mouseRelease(display, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(window.pos(), QPoint(100, 100));

        QTest::mouseClick(w.window().button(Button::Command2), Qt::LeftButton);
        moveMouse(&window, QPoint(70, 70), Qt::NoButton);
        QCOMPARE(window.pos(), QPoint(100, 100));

        QTest::mousePress(&window, Qt::LeftButton, {},
                          QPoint(18, 60));  // panel, beside the display
        moveMouse(&window, QPoint(28, 70), Qt::LeftButton);
        QTest::mouseRelease(&window, Qt::LeftButton, {}, QPoint(28, 70));
        QCOMPARE(window.pos(), QPoint(110, 110));
    }

    void typingInAFieldUpdatesTheDisplay() {
        WindowFixture w;
        QVERIFY(w.show());
        w.typeSeconds("1");
        QCOMPARE(w.window().label(Label::Label1)->text(), QString("00:00:01"));
        w.typeSeconds("5");
        QCOMPARE(w.window().label(Label::Label1)->text(), QString("00:00:15"));
    }

    void pickingFromAListUpdatesTheDisplay() {
        WindowFixture w;
        QVERIFY(w.show());
        QComboBox* minutes = w.window().combo(Combo::Combo2);
        minutes->setFocus();
        QTest::keyClick(minutes, Qt::Key_Down);  // the first entry, 0, then 1
        QTest::keyClick(minutes, Qt::Key_Down);
        QCOMPARE(minutes->currentText(), QString("1"));
        QCOMPARE(w.window().label(Label::Label1)->text(), QString("00:01:00"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
