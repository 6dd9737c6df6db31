#include <QtTest>

#include "platform/qt_form.h"

using namespace kestrune;

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void opensBorderlessAtItsSize() {
        QtForm form;
        MainWindow& w = form.window();
        QVERIFY(w.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(w.windowTitle(), QString("Kestrune"));
        QCOMPARE(w.size(), QSize(355, 180));
        QCOMPARE(w.combo(Combo::Combo1)->count(), 101);
        QCOMPARE(w.combo(Combo::Combo2)->count(), 61);
    }

    void typingInAFieldUpdatesTheDisplay() {
        QtForm form;
        form.window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&form.window()));
        QComboBox* seconds = form.window().combo(Combo::Combo3);
        QTest::keyClicks(seconds->lineEdit(), "1");
        QCOMPARE(form.window().label(Label::Label1)->text(), QString("00:00:01"));
        QTest::keyClicks(seconds->lineEdit(), "5");
        QCOMPARE(form.window().label(Label::Label1)->text(), QString("00:00:15"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
