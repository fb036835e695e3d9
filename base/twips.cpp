#include "twips.h"

#include <cfenv>
#include <cmath>

namespace hearvex::base {

int roundHalfEven(double value) {
    // std::nearbyint rounds by the current mode; force the default so a library
    // that changed it cannot change our layout.
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    std::fesetround(saved);
    return static_cast<int>(rounded);
}

int twipsToPixels(double twips) {
    return roundHalfEven(twips / kTwipsPerPixel);
}

QRect twipsRect(int left, int top, int width, int height) {
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

} // namespace hearvex::base
