#pragma once

#include <QLabel>

namespace kestrune {

// The green bar over the progress track. It spans the track and fills its width in twips from the
// left, rounded to whole device pixels, so that it grows smoothly on high-density screens too.
class ProgressBar : public QLabel {
public:
    explicit ProgressBar(QWidget* parent);

    void setTwips(float width);
    float twips() const { return twips_; }
    // The filled width on the screen, in device pixels.
    int devicePixels() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    float twips_ = 0;
};

}  // namespace kestrune
