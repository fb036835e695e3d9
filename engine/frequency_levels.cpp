#include "frequency_levels.h"

#include <cmath>
#include <fftw3.h>
#include <new>
#include <numbers>

namespace vbmp3 {

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

void Spectrum::levels(const float* samples, std::int32_t* levels) {
    for (std::size_t n = 0; n < kFftFrames; ++n)
        m_in[n] = samples[n] * m_window[n];
    fftwf_execute(m_plan);
    const auto* out = static_cast<const fftwf_complex*>(m_out);
    for (std::size_t k = 0; k < kBins; ++k) {
        const double magnitude = std::hypot(out[k][0], out[k][1]);
        // A sine's energy splits between +f and -f; 0 Hz has no mirror.
        const double scale = (k == 0 ? 1.0 : 2.0) / m_windowSum;
        levels[k] = levelOfAmplitude(magnitude * scale);
    }
}

} // namespace vbmp3
