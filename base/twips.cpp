#include "twips.h"

#include <cmath>

namespace hearvex::base {

int roundHalfEven(double value) {
    // By hand rather than std::nearbyint, which follows the current rounding
    // mode: a library that changed it must not change our layout, and saving
    // and restoring the mode costs more than the rounding (the spectrum rounds
    // thousands of values a second).
    const double below = std::floor(value);
    const double fraction = value - below;
    const bool up = fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0);
    return static_cast<int>(up ? below + 1 : below);
}

int twipsToPixels(double twips) {
    return roundHalfEven(twips / kTwipsPerPixel);
}

QRect twipsRect(int left, int top, int width, int height) {
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

} // namespace hearvex::base
