#include <QtTest>

#include "window_fixture.h"

using namespace kestrune;
using kestrune::testing::WindowFixture;

// Run on a Wayland compositor (QT_QPA_PLATFORM=wayland): the compositor places the window and
// moves it, so the program neither centres it nor moves it itself.
class WaylandTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QCOMPARE(QGuiApplication::platformName(), QString("wayland")); }

    void centringIsLeftToTheCompositor() {
        WindowFixture w;
        QCOMPARE(w.window().pos(), QPoint(0, 0));
        w.window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.window()));
    }

    void aDragOfTheBackgroundIsHandedToTheCompositor() {
        WindowFixture w;
        w.window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.window()));
        const QPoint before = w.window().pos();
        QTest::mousePress(&w.window(), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseMove(&w.window(), QPoint(45, 25));
        QTest::mouseRelease(&w.window(), Qt::LeftButton, {}, QPoint(45, 25));
        QCOMPARE(w.window().pos(), before);
    }

    void theCountdownRuns() {
        WindowFixture w;
        w.window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.window()));
        // The headless compositor has no keyboard to type with: the field is set as a pick would.
        w.window().combo(Combo::Combo3)->setEditText("1");
        w.form().Combo3_Click();
        w.click(Button::Command1);
        w.tick(2);
        QCOMPARE(w.window().label(Label::Label1)->text(), QString("时间到！"));
    }
};

QTEST_MAIN(WaylandTest)
#include "wayland_test.moc"
