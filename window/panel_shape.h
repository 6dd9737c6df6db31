#pragma once

#include <QWidget>

namespace kestrune {

// The teal panel behind the upper area: a filled rectangle with a one-pixel outline. It takes no
// mouse events, so a press on it reaches the window and starts a drag.
class PanelShape : public QWidget {
public:
    explicit PanelShape(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace kestrune
