#pragma once

#include <QColor>

#include "control/controls.h"

namespace kestrune {

inline QColor toQColor(Colour c) {
    return QColor(redOf(c), greenOf(c), blueOf(c));
}

inline const QColor panelTeal{0, 128, 128};    // 0x00808000
inline const QColor trackGrey{128, 128, 128};  // 0x00808080
inline const QColor barGreen{0, 192, 0};       // 0x0000C000

}  // namespace kestrune
