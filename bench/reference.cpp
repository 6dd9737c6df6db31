// The lower bound for a Qt Widgets program of Kestrune's size: a borderless window of the same size
// with the same kinds and number of controls and a one-second timer, and nothing else.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.setWindowTitle("Reference");
    window.setFixedSize(355, 180);

    auto* panel = new QWidget(&window);
    panel->setGeometry(16, 8, 281, 113);
    QLabel* labels[13];
    for (int i = 0; i < 13; ++i) {
        labels[i] = new QLabel(QString::number(i), &window);
        labels[i]->setGeometry(16 + (i % 4) * 70, 16 + (i / 4) * 30, 65, 17);
    }
    for (int i = 0; i < 3; ++i) {
        auto* combo = new QComboBox(&window);
        combo->setEditable(true);
        combo->setGeometry(40 + i * 64, 125, 41, 20);
    }
    (new QLineEdit(&window))->setGeometry(240, 127, 57, 18);
    for (int i = 0; i < 6; ++i) {
        (new QPushButton(QString::number(i), &window))->setGeometry(304, 8 + i * 29, 41, 21);
    }

    QTimer tick;
    int ticks = 0;
    QObject::connect(&tick, &QTimer::timeout,
                     [&] { labels[0]->setText(QString::number(++ticks)); });
    tick.start(1000);

    window.show();
    return app.exec();
}
