#include "window/main_window.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
#include <algorithm>

#include "compat/qt_compat.h"
#include "control/states.h"
#include "window/accessibility.h"
#include "window/captions.h"
#include "window/display_label.h"
#include "window/layout.h"
#include "window/palette.h"
#include "window/panel_shape.h"
#include "window/progress_bar.h"
#include "window/qt_text.h"
#include "window/time_up_alert.h"

namespace kestrune {

namespace {

int logicButtons(Qt::MouseButtons buttons) {
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
           (buttons & Qt::MiddleButton ? 4 : 0);
}

int logicShift(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

// Labels drawn from the back to the front; a later sibling is drawn over an earlier one.
constexpr std::array<Label, labelCount> labelsBackToFront{
    Label::Label1,  Label::Label4,  Label::Label5,  Label::Label6, Label::Label2,
    Label::Label3,  Label::Label7,  Label::Label8,  Label::Label9, Label::Label10,
    Label::Label11, Label::Label12, Label::Label13,
};

void fill(QWidget* widget, const QColor& background) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, background);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

QFont displayFont() {
    QFont font;
    // Liberation Sans has Arial's metrics; the CJK face draws the Chinese of the time-up text.
    font.setFamilies({"Arial", "Liberation Sans", "WenQuanYi Micro Hei", "Noto Sans CJK SC"});
    font.setPointSizeF(27.6);
    font.setWeight(QFont::Bold);
    return font;
}

}  // namespace

MainWindow::MainWindow() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
    installAccessibleInterfaces();
    setWindowTitle(qText(windowCaption));
    setFixedSize(toPixels(windowWidthTwips), toPixels(windowHeightTwips));
    setBackColor(toQColor(idleColour));
    createControls();
    setTabOrder();
    makeAccessible(*this);
}

void MainWindow::createControls() {
    const QPalette system = palette();

    panel_ = new PanelShape(this);
    panel_->setGeometry(toPixels(panelRect));

    for (Label l : labelsBackToFront) {
        QLabel* label = l == Label::Label1   ? (display_ = new DisplayLabel(this))
                        : l == Label::Label7 ? (bar_ = new ProgressBar(this))
                                             : new QLabel(this);
        label->setGeometry(toPixels(labelRects[index(l)]));
        label->setText(qText(labelStartTexts[index(l)]));
        // A press on a label belongs to the label: it must not drag the window.
        label->setAttribute(Qt::WA_NoMousePropagation);
        setTextColour(label, system.color(QPalette::ButtonText));
        labels_[index(l)] = label;
    }

    fill(display_, panelTeal);
    setTextColour(display_, system.color(QPalette::Base));
    display_->setFont(displayFont());
    display_->setAlignment(Qt::AlignCenter);

    for (Label caption : {Label::Label4, Label::Label5, Label::Label6}) {
        fill(label(caption), system.color(QPalette::Button));
        label(caption)->setAlignment(Qt::AlignCenter);
    }
    fill(label(Label::Label2), system.color(QPalette::Button));

    QLabel* track = label(Label::Label3);
    fill(track, trackGrey);
    setTextColour(track, system.color(QPalette::WindowText));
    track->setFrameShape(QFrame::Box);
    track->setFrameShadow(QFrame::Plain);
    track->setLineWidth(1);

    // The bar spans the track and paints as much of it as its width in twips says.
    bar_->setGeometry(toPixels(labelRects[index(Label::Label3)]));

    for (int c = 0; c < comboCount; ++c) {
        auto* combo = new QComboBox(this);
        combo->setEditable(true);
        // Typing must give exactly the typed text: no completion, no new list entries.
        combo->setCompleter(nullptr);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setGeometry(toPixels(comboRects[c]));
        combos_[c] = combo;
    }

    nameField_ = new QLineEdit(this);
    nameField_->setGeometry(toPixels(nameFieldRect));

    for (int b = 0; b < buttonCount; ++b) {
        auto* button = new QPushButton(qText(buttonCaptions[b]), this);
        button->setGeometry(toPixels(buttonRects[b]));
        buttons_[b] = button;
    }
    button(Button::Command3)->setEnabled(false);
    button(Button::Command1)->setFocus();

    alert_ = new TimeUpAlert(this);
}

void MainWindow::setTabOrder() {
    const std::array<QWidget*, 10> chain{
        button(Button::Command1), button(Button::Command2),
        button(Button::Command3), button(Button::Command4),
        combo(Combo::Combo1),     combo(Combo::Combo2),
        combo(Combo::Combo3),     nameField_,
        button(Button::Command5), button(Button::Command6),
    };
    for (std::size_t i = 0; i + 1 < chain.size(); ++i) {
        QWidget::setTabOrder(chain[i], chain[i + 1]);
    }
    QWidget::setTabOrder(chain.back(), chain.front());
}

void MainWindow::setBackColor(const QColor& colour) {
    backColor_ = colour;
    update();
}

void MainWindow::setLabelVisible(Label l, bool visible) {
    hiding_[index(l)] = !visible;
    if (visible) {
        // Only if hidden: Qt 6.8 tells screen readers of a show even when the label is showing.
        if (label(l)->isHidden()) {
            label(l)->show();
        }
        return;
    }
    QMetaObject::invokeMethod(
        this,
        [this, l] {
            if (hiding_[index(l)]) {
                label(l)->hide();
            }
        },
        Qt::QueuedConnection);
}

void MainWindow::setLabelWidth(Label l, float twips) {
    if (l == Label::Label7) {
        bar_->setTwips(twips);
        return;
    }
    const int left = toPixels(labelRects[index(l)].left);
    const int pixels = toPixels(labelRects[index(l)].left + double{twips}) - left;
    label(l)->resize(std::max(pixels, 0), label(l)->height());
}

void MainWindow::addChoice(Combo c, const QString& entry) {
    QComboBox* field = combo(c);
    if (field->count() > 0) {
        field->addItem(entry);
        return;
    }
    // A first entry would become the chosen one; the list only offers choices, and the field keeps
    // its text.
    const QString text = field->currentText();
    field->addItem(entry);
    field->setCurrentIndex(-1);
    field->setEditText(text);
}

void MainWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), backColor_);
    if (!drawn_) {
        drawn_ = true;
        emit firstFrameDrawn();
    }
}

// Measured from where the window is now rather than from where the event says it was: while the
// window moves, the window system may still report positions against its old place.
QPointF MainWindow::twipsInWindow(const QMouseEvent* event) const {
    return (globalPositionOf(*event) - QPointF(pos())) * twipsPerPixel;
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    // Where the desktop places windows itself (Wayland), it also moves them.
    if (movedByDesktop_ && event->button() == Qt::LeftButton && windowHandle() &&
        windowHandle()->startSystemMove()) {
        return;
    }
    const QPointF at = twipsInWindow(event);
    emit mouseDown(logicButtons(event->buttons()), logicShift(event->modifiers()), at.x(), at.y());
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
    const QPointF at = twipsInWindow(event);
    emit mouseMove(logicButtons(event->buttons()), logicShift(event->modifiers()), at.x(), at.y());
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF at = twipsInWindow(event);
    emit mouseUp(logicButtons(event->button()), logicShift(event->modifiers()), at.x(), at.y());
}

}  // namespace kestrune
