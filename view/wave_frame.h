// The wave frame: the average of the two channels, every second sample, as a
// 128-point polyline across the view. A sample of -100 maps to the top edge,
// +100 to the bottom, 0 to the middle.
#pragma once

#include "view_data.h"

#include <optional>

namespace hearvex::view {

inline constexpr int kWavePoints = kBufferLength / 2;
using WavePolyline = std::array<FramePoint, kWavePoints>;

// Points in pixels of the view, for a frame box whose inner width is
// scaleWidthTwips and a view heightTwips high. Empty when the engine's values
// push the arithmetic out of 32 bits (the frame is skipped).
std::optional<WavePolyline> wavePolyline(const EngineBuffer& first, const EngineBuffer& second,
                                         int scaleWidthTwips, int heightTwips);

} // namespace hearvex::view
