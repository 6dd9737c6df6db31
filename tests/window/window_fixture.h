#pragma once

#include <QtTest>
#include <memory>

#include "binding/qt_form.h"
#include "window/progress_bar.h"

namespace kestrune::testing {

// The real window, shown offscreen, with helpers named after what the user does and sees.
class WindowFixture {
public:
    WindowFixture() : qt(std::make_unique<QtForm>()) {}

    bool show() {
        window().show();
        window().activateWindow();
        return QTest::qWaitForWindowActive(&window());
    }

    MainWindow& window() { return qt->window(); }
    Form6& form() { return qt->form(); }

    void typeSeconds(const QString& text) {
        QTest::keyClicks(window().combo(Combo::Combo3)->lineEdit(), text);
    }
    void click(Button button) { QTest::mouseClick(window().button(button), Qt::LeftButton); }
    void tick(int count = 1) {
        for (int i = 0; i < count; ++i) {
            form().Timer1_Timer();
        }
    }

    QImage grab() { return window().grab().toImage(); }
    // The colour at a point of the window given in logical pixels.
    QColor colourAt(const QImage& image, int x, int y) {
        const qreal scale = image.devicePixelRatio();
        return image.pixelColor(qRound(x * scale), qRound(y * scale));
    }
    // Green device pixels along the middle row of the progress track.
    int barPixels(const QImage& image) {
        const qreal scale = image.devicePixelRatio();
        const int y = qRound(160 * scale);
        int count = 0;
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixelColor(x, y) == QColor(0, 192, 0) ? 1 : 0;
        }
        return count;
    }

    std::unique_ptr<QtForm> qt;
};

}  // namespace kestrune::testing
