#pragma once

#include <QWidget>

namespace kestrune {

// What a screen reader says at time up, wherever the keyboard focus is: an alert that appears
// carrying the display's text. It draws nothing, so the window looks the same with it showing.
class TimeUpAlert : public QWidget {
public:
    explicit TimeUpAlert(QWidget* parent);

    QString text() const { return text_; }
    void announce(const QString& text);
    void withdraw();

protected:
    void paintEvent(QPaintEvent*) override {}

private:
    QString text_;
};

}  // namespace kestrune
