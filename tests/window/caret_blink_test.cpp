#include "window/caret_blink.h"

#include <QLineEdit>
#include <QPushButton>
#include <QStyleHints>
#include <QtTest>

using namespace kestrune;
using namespace std::chrono_literals;

class CaretBlinkTest : public QObject {
    Q_OBJECT

    static int flashTime() { return QGuiApplication::styleHints()->cursorFlashTime(); }

private slots:
    void theCaretHoldsStillAfterAWhileAndBlinksAgainAtAKey() {
        const int desktops = flashTime();
        QVERIFY(desktops > 0);
        QLineEdit field;
        CaretBlinkLimit limit(100ms);
        field.show();
        field.setFocus();
        QCOMPARE(flashTime(), desktops);
        QTRY_COMPARE(flashTime(), 0);

        QTest::keyClick(&field, Qt::Key_5);
        QCOMPARE(flashTime(), desktops);
        QTRY_COMPARE(flashTime(), 0);
    }

    void theDesktopsBlinkComesBackWithTheWindowGone() {
        const int desktops = flashTime();
        {
            QLineEdit field;
            CaretBlinkLimit limit(1ms);
            field.show();
            field.setFocus();
            QTRY_COMPARE(flashTime(), 0);
        }
        QCOMPARE(flashTime(), desktops);
    }

    void withNoCaretShownNothingWakes() {
        QPushButton button;
        CaretBlinkLimit limit(1ms);
        button.show();
        button.setFocus();
        QTest::keyClick(&button, Qt::Key_A);
        QTest::qWait(20);
        QVERIFY(flashTime() > 0);  // the limit's timer never ran
    }
};

QTEST_MAIN(CaretBlinkTest)
#include "caret_blink_test.moc"
