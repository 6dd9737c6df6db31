#pragma once

#include <QColor>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <array>

#include "control/controls.h"
#include "window/caret_blink.h"

namespace kestrune {

class DisplayLabel;
class PanelShape;
class ProgressBar;
class TimeUpAlert;

// The one window: borderless, fixed size, its 25 controls in place with their look. It reports
// presses, moves and releases on its own background in twips; everything else is the controls'.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    MainWindow();

    QLabel* label(Label l) const { return labels_[index(l)]; }
    DisplayLabel* display() const { return display_; }
    ProgressBar* progressBar() const { return bar_; }
    QComboBox* combo(Combo c) const { return combos_[index(c)]; }
    QLineEdit* nameField() const { return nameField_; }
    QPushButton* button(Button b) const { return buttons_[index(b)]; }
    PanelShape* panel() const { return panel_; }
    TimeUpAlert* timeUpAlert() const { return alert_; }

    // Hands a drag of the background to the desktop, for desktops that do not let a program
    // place its own window.
    void setMovedByDesktop(bool moved) { movedByDesktop_ = moved; }

    void setBackColor(const QColor& colour);
    QColor backColor() const { return backColor_; }

    // A label hidden and shown again within one handler (the display at each tick) is not hidden
    // at all: nothing would be drawn in between, and screen readers would hear it vanish and come
    // back. So hiding waits until the handler has ended.
    void setLabelVisible(Label label, bool visible);
    // A label's width in twips, from its left edge; the progress bar paints fractions of a pixel.
    void setLabelWidth(Label label, float twips);
    // Offers an entry in a field's list, leaving the field's text as it is.
    void addChoice(Combo combo, const QString& entry);

signals:
    void firstFrameDrawn();
    // Button and shift states as the logic counts them (left 1, right 2, middle 4; shift 1,
    // control 2, alt 4); x and y in twips from the window's top-left corner.
    void mouseDown(int button, int shift, double x, double y);
    void mouseMove(int button, int shift, double x, double y);
    void mouseUp(int button, int shift, double x, double y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPointF twipsInWindow(const QMouseEvent* event) const;
    void createControls();
    void setTabOrder();

    CaretBlinkLimit caretBlink_;
    QColor backColor_;
    bool drawn_ = false;
    std::array<bool, labelCount> hiding_{};
    bool movedByDesktop_ = false;
    PanelShape* panel_ = nullptr;
    DisplayLabel* display_ = nullptr;
    ProgressBar* bar_ = nullptr;
    std::array<QLabel*, labelCount> labels_{};
    std::array<QComboBox*, comboCount> combos_{};
    QLineEdit* nameField_ = nullptr;
    std::array<QPushButton*, buttonCount> buttons_{};
    TimeUpAlert* alert_ = nullptr;
};

}  // namespace kestrune
