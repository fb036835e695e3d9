// Slower or faster speech with its pitch kept: Rubber Band's real-time
// stretcher between the decoder and the ring. It runs on the decoding thread
// only (it allocates when it starts); the output callback never sees it. At
// 100 % the engine bypasses it, so normal speed stays bit-exact.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace RubberBand {
class RubberBandStretcher;
}

namespace vbmp3 {

class Track;

class Stretcher {
public:
    Stretcher();
    ~Stretcher();
    Stretcher(const Stretcher&) = delete;
    Stretcher& operator=(const Stretcher&) = delete;

    // Begins a fresh stretch of the track from where it stands: channels 1
    // (mono, stretched once and heard on both sides) or 2, at speedPercent.
    // The stretcher's own delay is padded in and dropped out, so the first
    // frame out belongs to the first frame read.
    void start(std::int32_t sampleRate, int channels, std::int32_t speedPercent);

    // Fills up to frameCount interleaved stereo frames, reading the track as
    // needed. Fewer than asked means the track's end has come out.
    std::int64_t produce(float* stereo, std::int64_t frameCount, Track& track);

private:
    void feed(Track& track);

    std::unique_ptr<RubberBand::RubberBandStretcher> m_stretcher;
    std::int32_t m_sampleRate = 0;
    int m_channels = 0;
    std::vector<float> m_interleaved;
    std::vector<float> m_in[2];
    std::vector<float> m_out[2];
    std::int64_t m_toDrop = 0;
    bool m_inputDone = false;
};

} // namespace vbmp3
