#include "mfcc.h"

#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <numbers>

namespace hearvex::lessons {

namespace {

constexpr int kMelBands = 26;
constexpr float kBottomHz = 80.0f;
constexpr double kWindowSeconds = 0.025;
constexpr float kPowerFloor = 1e-10f; // -100 dB: digital silence stays finite

float melOf(float hz) {
    return 1127.0f * std::log1p(hz / 700.0f);
}
float hzOf(float mel) {
    return 700.0f * std::expm1(mel / 1127.0f);
}

// FFTW's planner is shared by the whole process (the engine's spectrum plans
// too), and the aligner plans on two threads.
void makePlannerThreadSafe() {
    static std::once_flag once;
    std::call_once(once, [] { fftwf_make_planner_thread_safe(); });
}

size_t fftLengthFor(size_t windowLength) {
    size_t n = 256;
    while (n < windowLength)
        n *= 2;
    return n;
}

// DCT-II basis, rows c0..c12 over the mel bands.
const std::array<std::array<float, kMelBands>, kCepstra>& dctBasis() {
    static const auto basis = [] {
        std::array<std::array<float, kMelBands>, kCepstra> b{};
        for (int k = 0; k < kCepstra; ++k)
            for (int m = 0; m < kMelBands; ++m)
                b[k][m] =
                    static_cast<float>(std::cos(std::numbers::pi * k * (m + 0.5) / kMelBands));
        return b;
    }();
    return basis;
}

} // namespace

struct MfccExtractor::Plan {
    explicit Plan(size_t n)
        : length(n)
        , in(fftwf_alloc_real(n))
        , out(fftwf_alloc_complex(n / 2 + 1)) {
        makePlannerThreadSafe();
        plan = fftwf_plan_dft_r2c_1d(static_cast<int>(n), in, out, FFTW_ESTIMATE);
    }
    ~Plan() {
        fftwf_destroy_plan(plan);
        fftwf_free(in);
        fftwf_free(out);
    }
    size_t length;
    float* in;
    fftwf_complex* out;
    fftwf_plan plan;
};

MfccExtractor::MfccExtractor(int sampleRate, float topHz)
    : m_sampleRate(sampleRate)
    , m_windowLength(static_cast<size_t>(std::lround(kWindowSeconds * sampleRate))) {
    const size_t n = fftLengthFor(m_windowLength);
    m_plan = std::make_unique<Plan>(n);
    m_window.resize(m_windowLength);
    for (size_t i = 0; i < m_windowLength; ++i)
        m_window[i] = static_cast<float>(
            0.54 - 0.46 * std::cos(2 * std::numbers::pi * i / (m_windowLength - 1)));
    // Triangular bands evenly spaced in mel between kBottomHz and topHz.
    topHz = std::min(topHz, sampleRate / 2.0f);
    const float low = melOf(kBottomHz), high = melOf(topHz);
    const float binHz = static_cast<float>(sampleRate) / static_cast<float>(n);
    for (int b = 0; b < kMelBands; ++b) {
        const float left = hzOf(low + (high - low) * b / (kMelBands + 1));
        const float centre = hzOf(low + (high - low) * (b + 1) / (kMelBands + 1));
        const float right = hzOf(low + (high - low) * (b + 2) / (kMelBands + 1));
        const int first = static_cast<int>(std::ceil(left / binHz));
        const int last = std::min(static_cast<int>(std::floor(right / binHz)), int(n / 2));
        std::vector<float> weights;
        for (int bin = first; bin <= last; ++bin) {
            const float hz = bin * binHz;
            weights.push_back(hz <= centre ? (hz - left) / (centre - left)
                                           : (right - hz) / (right - centre));
        }
        m_firstBin.push_back(first);
        m_melWeights.push_back(std::move(weights));
    }
}

MfccExtractor::~MfccExtractor() = default;

void MfccExtractor::feed(const float* samples, size_t count) {
    m_pending.insert(m_pending.end(), samples, samples + count);
    for (;;) {
        const size_t k = m_features.frames.size();
        const size_t start = k * static_cast<size_t>(m_sampleRate) / kFramesPerSecond;
        if (start + m_windowLength > m_pendingStart + m_pending.size())
            break;
        frameAt(start - m_pendingStart);
    }
    // Keep only what the next window still needs.
    const size_t next =
        m_features.frames.size() * static_cast<size_t>(m_sampleRate) / kFramesPerSecond;
    const size_t drop = std::min(next - m_pendingStart, m_pending.size());
    if (drop > m_pending.size() / 2 || m_pending.size() > (1u << 16)) {
        m_pending.erase(m_pending.begin(), m_pending.begin() + static_cast<long>(drop));
        m_pendingStart += drop;
    }
}

void MfccExtractor::frameAt(size_t offset) {
    float* in = m_plan->in;
    const float* from = m_pending.data() + offset;
    for (size_t i = 0; i < m_windowLength; ++i)
        in[i] = from[i] * m_window[i];
    std::fill(in + m_windowLength, in + m_plan->length, 0.0f);
    fftwf_execute_dft_r2c(m_plan->plan, in, m_plan->out);
    std::array<float, kMelBands> logMel{};
    double total = 0;
    for (int b = 0; b < kMelBands; ++b) {
        double energy = 0;
        const std::vector<float>& weights = m_melWeights[static_cast<size_t>(b)];
        for (size_t w = 0; w < weights.size(); ++w) {
            const fftwf_complex& v = m_plan->out[static_cast<size_t>(m_firstBin[size_t(b)]) + w];
            energy += weights[w] * (v[0] * v[0] + v[1] * v[1]);
        }
        total += energy;
        logMel[size_t(b)] = std::log(std::max(static_cast<float>(energy), kPowerFloor));
    }
    CepstralFrame frame{};
    const auto& basis = dctBasis();
    for (int k = 0; k < kCepstra; ++k) {
        float sum = 0;
        for (int m = 0; m < kMelBands; ++m)
            sum += basis[size_t(k)][size_t(m)] * logMel[size_t(m)];
        frame[size_t(k)] = sum;
    }
    m_features.frames.push_back(frame);
    const double power = total / (double(m_windowLength) * double(m_windowLength));
    m_features.levelDb.push_back(
        static_cast<float>(10.0 * std::log10(std::max(power, double(kPowerFloor)))));
}

void normaliseFeatures(std::vector<CepstralFrame>& frames) {
    if (frames.empty())
        return;
    for (size_t k = 0; k < kCepstra; ++k) {
        double sum = 0, squares = 0;
        for (const CepstralFrame& f : frames) {
            sum += f[k];
            squares += double(f[k]) * f[k];
        }
        const double mean = sum / double(frames.size());
        const double variance = squares / double(frames.size()) - mean * mean;
        const float scale = variance > 1e-12 ? static_cast<float>(1.0 / std::sqrt(variance)) : 1.0f;
        for (CepstralFrame& f : frames)
            f[k] = static_cast<float>((f[k] - mean) * scale);
    }
}

} // namespace hearvex::lessons
