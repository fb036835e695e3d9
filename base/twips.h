// Geometry of the window designs: twips (1/1440 inch) at 15 to the pixel.
#pragma once

#include <QRect>

namespace hearvex::base {

inline constexpr int kTwipsPerPixel = 15;

// Nearest integer, an exact half going to the even neighbour: the rounding every
// conversion of a fractional value in the program uses.
int roundHalfEven(double value);

// Twips to pixels by that rounding.
int twipsToPixels(double twips);

// A design rectangle (Left, Top, Width, Height in twips) in pixels.
QRect twipsRect(int left, int top, int width, int height);

} // namespace hearvex::base
