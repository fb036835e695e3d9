// Plain data shared by the wave and spectrum frames.
#pragma once

#include <array>
#include <cstdint>

namespace hearvex::view {

// One of the two buffers the engine fills per tick: 256 wave samples
// (full scale 100) or 256 spectrum levels (40 no bar, 110 a full bar).
inline constexpr int kBufferLength = 256;
using EngineBuffer = std::array<int32_t, kBufferLength>;

struct FramePoint {
    int x;
    int y;
    bool operator==(const FramePoint&) const = default;
};

// A colour as 0xRRGGBB.
constexpr uint32_t rgb(int r, int g, int b) {
    return uint32_t(r & 0xff) << 16 | uint32_t(g & 0xff) << 8 | uint32_t(b & 0xff);
}

struct FramePixel {
    int x;
    int y;
    uint32_t color;
    bool operator==(const FramePixel&) const = default;
};

} // namespace hearvex::view
