#include "window/layout.h"

#include <cmath>

namespace kestrune {

int toPixels(double twips) {
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}

QRect toPixels(const TwipRect& rect) {
    const int left = toPixels(rect.left);
    const int top = toPixels(rect.top);
    return QRect(left, top, toPixels(rect.left + rect.width) - left,
                 toPixels(rect.top + rect.height) - top);
}

}  // namespace kestrune
