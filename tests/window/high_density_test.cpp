#include <QtTest>

#include "window/display_label.h"
#include "window_fixture.h"

using namespace kestrune;
using kestrune::testing::WindowFixture;

// Run with QT_SCALE_FACTOR=2: everything twice as large, nothing clipped or misplaced.
class HighDensityTest : public QObject {
    Q_OBJECT

private slots:
    void windowAndControlsDoubleInSize() {
        WindowFixture w;
        QVERIFY(w.show());
        QCOMPARE(w.window().devicePixelRatio(), 2.0);
        const QImage image = w.grab();
        QCOMPARE(image.size(), QSize(710, 360));
        QCOMPARE(w.colourAt(image, 5, 5), QColor(224, 224, 224));
        QCOMPARE(w.colourAt(image, 18, 60), QColor(0, 128, 128));
        QCOMPARE(w.colourAt(image, 290, 160), QColor(128, 128, 128));
        // The display's figures fit at their full size.
        DisplayLabel* display = w.window().display();
        QCOMPARE(display->fittedFont().pointSizeF(), 27.6);
    }

    void barRoundsToDevicePixels() {
        WindowFixture w;
        QVERIFY(w.show());
        QTest::keyClicks(w.window().combo(Combo::Combo2)->lineEdit(), "1");
        w.click(Button::Command1);
        w.tick();  // 70.25 twips: 9.37 device pixels
        QCOMPARE(w.barPixels(w.grab()), 9);
        w.tick(59);
        QCOMPARE(w.barPixels(w.grab()), 562);
    }
};

QTEST_MAIN(HighDensityTest)
#include "high_density_test.moc"
