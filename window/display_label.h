#pragma once

#include <QLabel>

namespace kestrune {

// The countdown display. A text wider than the label (a long name before "时间到！") is drawn
// at a smaller size, so that all of it stays readable.
class DisplayLabel : public QLabel {
public:
    explicit DisplayLabel(QWidget* parent);

    // The font the text is drawn with now: the label's own, or smaller when the text is too wide.
    QFont fittedFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace kestrune
