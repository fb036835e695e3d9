// The spectrum frame: one column per shown bin, a bar that jumps up at once and
// sinks by at most 100 twips a tick, and a peak mark above it that sinks by at
// most 30 twips a tick. Heights are twips; the frame comes out as pixels.
#pragma once

#include "view_data.h"

#include <optional>
#include <vector>

namespace hearvex::view {

// The falling levels, in twips, per spectrum bin; kept from tick to tick and
// across mode changes, never reset.
struct FallingLevels {
    std::array<int32_t, kBufferLength> barHeights{};
    std::array<int32_t, kBufferLength> peakHeights{};
};

// How a spectrum mode (2..6) lays out its columns: columns at x = 0, step,
// 2 step, ... up to last; column x shows bin step * x.
struct SpectrumColumns {
    int step;
    int last;
    bool twoPixelsWide; // modes 3 to 6
    bool drawsBars;     // all but mode 6, which shows the peak marks only
};
std::optional<SpectrumColumns> spectrumColumns(int viewMode);

inline constexpr int kBarFallTwips = 100;
inline constexpr int kPeakFallTwips = 30;
inline constexpr uint32_t kPeakColor = rgb(255, 255, 0);

// The colour of a bar's pixel at yy twips from the top of a view heightTwips
// high: yellow at the bottom, shading to red at half the height, red above.
uint32_t barColor(int yy, int heightTwips);

struct PixelBox {
    int width;
    int height;
};

// One frame for viewMode (2..6) from the engine's two buffers (a column shows
// the larger level), updating levels. Pixels come in drawing order, clipped to
// box. Empty, with levels untouched, when the engine's values push the
// arithmetic out of 32 bits (the frame is skipped). A mode outside 2..6 draws nothing.
std::optional<std::vector<FramePixel>> spectrumFrame(int viewMode, const EngineBuffer& first,
                                                     const EngineBuffer& second, int heightTwips,
                                                     PixelBox box, FallingLevels& levels);

} // namespace hearvex::view
