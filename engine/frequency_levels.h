// Levels per frequency bin from the last frames played, on the caller's
// thread. level = 110 + 20*log10(amplitude of a sine in the bin relative to
// full scale), rounded, never below 0: a full-scale sine reads about 110.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct fftwf_plan_s;

namespace vbmp3 {

class Spectrum {
public:
    static constexpr std::size_t kFftFrames = 512;
    static constexpr std::size_t kBins = 256; // 0 Hz up to (not including) half the rate

    Spectrum();
    ~Spectrum();
    Spectrum(const Spectrum&) = delete;
    Spectrum& operator=(const Spectrum&) = delete;

    // samples: kFftFrames of one channel, oldest first; levels: kBins values.
    void levels(const float* samples, std::int32_t* levels);

    // The level of a sine of the given amplitude (1 = full scale).
    static std::int32_t levelOfAmplitude(double amplitude);
    // The same level from the amplitude's square, as levels() has it, without
    // a logarithm: the view asks for 512 levels ten times a second.
    static std::int32_t levelOfSquare(double squaredAmplitude);

private:
    float* m_in = nullptr; // fftwf_malloc'd, aligned for SIMD
    void* m_out = nullptr; // fftwf_complex[kFftFrames / 2 + 1]
    fftwf_plan_s* m_plan = nullptr;
    std::vector<float> m_window;
    double m_windowSum = 0.0;
};

} // namespace vbmp3
