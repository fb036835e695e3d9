// Puts a computed frame into the view's image.
#pragma once

#include "bar_frame.h"
#include "wave_frame.h"

#include <QColor>
#include <QImage>

namespace hearvex::view {

// The wave line's pen: the picture box's default black, one pixel wide.
inline const QColor kWavePenColor{0, 0, 0};

// The polyline, one pixel wide, clipped to the image.
void paintWave(QImage& image, const WavePolyline& points);

// Each pixel in order, later ones over earlier ones; pixels off the image are dropped.
void paintPixels(QImage& image, const std::vector<FramePixel>& pixels);

} // namespace hearvex::view
