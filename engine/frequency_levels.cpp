#include "frequency_levels.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <fftw3.h>
#include <new>
#include <numbers>

namespace vbmp3 {

namespace {

// Levels 1..kTableTop start where 110 + 20*log10(a) reaches L - 0.5; the
// table holds those amplitudes squared. Above it (a 30 dB overload) and
// within rounding of a step, the logarithm decides.
constexpr int kTableTop = 140;
constexpr double kNearStep = 1e-9;

const std::array<double, kTableTop>& squaredSteps() {
    static const std::array<double, kTableTop> steps = [] {
        std::array<double, kTableTop> made{};
        for (int level = 1; level <= kTableTop; ++level)
            made[level - 1] = std::pow(10.0, (double(level) - 0.5 - 110.0) / 10.0);
        return made;
    }();
    return steps;
}

} // namespace

Spectrum::Spectrum()
    : m_window(kFftFrames) {
    m_in = fftwf_alloc_real(kFftFrames);
    auto* out = fftwf_alloc_complex(kFftFrames / 2 + 1);
    m_out = out;
    if (!m_in || !out) {
        fftwf_free(m_in);
        fftwf_free(out);
        throw std::bad_alloc();
    }
    // FFTW's planner is not thread-safe; the engine builds its one plan while
    // holding the interface lock, and nothing else in the process plans.
    m_plan = fftwf_plan_dft_r2c_1d(static_cast<int>(kFftFrames), m_in, out, FFTW_ESTIMATE);
    // Periodic Hann: its coherent gain is exactly 1/2, so a sine centred in a
    // bin gives |X| = amplitude * sum(w) / 2.
    for (std::size_t n = 0; n < kFftFrames; ++n) {
        m_window[n] = static_cast<float>(
            0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * static_cast<double>(n) / kFftFrames));
        m_windowSum += m_window[n];
    }
}

Spectrum::~Spectrum() {
    if (m_plan)
        fftwf_destroy_plan(m_plan);
    fftwf_free(m_in);
    fftwf_free(m_out);
}

std::int32_t Spectrum::levelOfAmplitude(double amplitude) {
    if (!(amplitude > 0.0))
        return 0;
    const double level = std::round(110.0 + 20.0 * std::log10(amplitude));
    return level < 0.0 ? 0 : static_cast<std::int32_t>(level);
}

std::int32_t Spectrum::levelOfSquare(double squaredAmplitude) {
    if (!(squaredAmplitude > 0.0))
        return 0;
    const std::array<double, kTableTop>& steps = squaredSteps();
    const auto above = std::upper_bound(steps.begin(), steps.end(), squaredAmplitude);
    const bool nearStep =
        (above != steps.end() && *above * (1.0 - kNearStep) <= squaredAmplitude) ||
        (above != steps.begin() && squaredAmplitude <= *(above - 1) * (1.0 + kNearStep));
    if (above == steps.end() || nearStep)
        return levelOfAmplitude(std::sqrt(squaredAmplitude));
    return static_cast<std::int32_t>(above - steps.begin());
}

void Spectrum::levels(const float* samples, std::int32_t* levels) {
    for (std::size_t n = 0; n < kFftFrames; ++n)
        m_in[n] = samples[n] * m_window[n];
    fftwf_execute(m_plan);
    const auto* out = static_cast<const fftwf_complex*>(m_out);
    for (std::size_t k = 0; k < kBins; ++k) {
        const double re = out[k][0];
        const double im = out[k][1];
        // A sine's energy splits between +f and -f; 0 Hz has no mirror.
        const double scale = (k == 0 ? 1.0 : 2.0) / m_windowSum;
        levels[k] = levelOfSquare((re * re + im * im) * (scale * scale));
    }
}

} // namespace vbmp3
