// Mel-frequency cepstra of a stream of sound, 100 frames a second, computed
// as the sound arrives so an hour of it is never held whole.
#pragma once

#include <array>
#include <memory>
#include <vector>

namespace hearvex::lessons {

inline constexpr int kCepstra = 13; // c0 (level) to c12
inline constexpr int kFramesPerSecond = 100;

using CepstralFrame = std::array<float, kCepstra>;

struct SpeechFeatures {
    std::vector<CepstralFrame> frames;
    std::vector<float> levelDb; // the band's level per frame, before normalising

    size_t size() const { return frames.size(); }
};

class MfccExtractor {
public:
    // topHz bounds the mel bands: the same for both sides of an alignment,
    // so a recording at 8 kHz is compared with speech made as narrow.
    MfccExtractor(int sampleRate, float topHz);
    ~MfccExtractor();
    MfccExtractor(const MfccExtractor&) = delete;
    MfccExtractor& operator=(const MfccExtractor&) = delete;

    // Mono samples, full scale 1, in order.
    void feed(const float* samples, size_t count);
    // Frames made so far (those whose window has been filled).
    const SpeechFeatures& features() const { return m_features; }
    SpeechFeatures take() { return std::move(m_features); }

private:
    void frameAt(size_t windowStart);

    struct Plan;
    int m_sampleRate;
    size_t m_windowLength;
    std::unique_ptr<Plan> m_plan;
    std::vector<float> m_window;
    std::vector<std::vector<float>> m_melWeights; // per band, over FFT bins from m_firstBin[b]
    std::vector<int> m_firstBin;
    std::vector<float> m_pending; // samples not yet consumed by a whole window
    size_t m_pendingStart = 0;    // stream index of m_pending[0]
    SpeechFeatures m_features;
};

// Mean and variance of each coefficient made 0 and 1 over the whole stream, so
// a recording's loudness and channel colour do not count as differences.
void normaliseFeatures(std::vector<CepstralFrame>& frames);

// The frame where a stream position (in seconds) falls.
inline size_t frameAtSeconds(double seconds) {
    return seconds <= 0 ? 0 : static_cast<size_t>(seconds * kFramesPerSecond + 0.5);
}

} // namespace hearvex::lessons
