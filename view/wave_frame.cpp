#include "wave_frame.h"

#include "frame_math.h"

namespace hearvex::view {

std::optional<WavePolyline> wavePolyline(const EngineBuffer& first, const EngineBuffer& second,
                                         int scaleWidthTwips, int heightTwips) {
    const double w = scaleWidthTwips;
    const double h = heightTwips;
    WavePolyline points{};
    for (int k = 0; k < kBufferLength; k += 2) {
        const int64_t sum = int64_t(first[k]) + second[k];
        if (!fitsInt32(sum))
            return std::nullopt;
        const std::optional<int32_t> v = nearest32(double(sum) / 2 + 100);
        if (!v)
            return std::nullopt;
        // Evaluated in this order so that every rounding lands where the rule puts it.
        const std::optional<int32_t> x = nearest32(w / 256 * k / 15);
        const std::optional<int32_t> y = nearest32(h / 200 * *v / 15);
        if (!x || !y)
            return std::nullopt;
        points[k / 2] = {*x, *y};
    }
    return points;
}

} // namespace hearvex::view
