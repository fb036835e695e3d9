#include "voice_pitch.h"

#include <algorithm>
#include <aubio/aubio.h>
#include <cmath>
#include <limits>
#include <memory>

namespace hearvex::shadow {

namespace {

constexpr float kLowestHz = 60;
constexpr float kHighestHz = 500;
constexpr float kLeastConfidence = 0.7f;
constexpr float kSilenceDb = -45;

struct AubioPitch {
    aubio_pitch_t* pitch;
    fvec_t* in;
    fvec_t* out;
    AubioPitch(uint_t window, uint_t hop, uint_t rate)
        : pitch(new_aubio_pitch("yinfast", window, hop, rate))
        , in(new_fvec(hop))
        , out(new_fvec(1)) {}
    ~AubioPitch() {
        if (pitch != nullptr)
            del_aubio_pitch(pitch);
        del_fvec(in);
        del_fvec(out);
    }
    AubioPitch(const AubioPitch&) = delete;
    AubioPitch& operator=(const AubioPitch&) = delete;
};

std::vector<float> trackHz(std::span<const float> samples, int sampleRate) {
    const auto hop = uint_t(sampleRate * kPitchHopMs / 1000);
    // Two periods of the lowest voice fit in the window.
    uint_t window = 1;
    while (window < uint_t(2.5f * float(sampleRate) / kLowestHz))
        window *= 2;
    AubioPitch tracker(window, hop, uint_t(sampleRate));
    std::vector<float> hz;
    if (tracker.pitch == nullptr)
        return hz;
    aubio_pitch_set_unit(tracker.pitch, "Hz");
    aubio_pitch_set_silence(tracker.pitch, kSilenceDb);
    for (size_t at = 0; at + hop <= samples.size(); at += hop) {
        std::copy_n(samples.begin() + ptrdiff_t(at), hop, tracker.in->data);
        aubio_pitch_do(tracker.pitch, tracker.in, tracker.out);
        const float f = tracker.out->data[0];
        const bool voiced = aubio_pitch_get_confidence(tracker.pitch) >= kLeastConfidence &&
                            f >= kLowestHz && f <= kHighestHz;
        hz.push_back(voiced ? f : 0.0f);
    }
    return hz;
}

float medianOf(std::vector<float> values) {
    if (values.empty())
        return 0;
    const auto middle = values.begin() + ptrdiff_t(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

} // namespace

PitchCurve trackPitch(std::span<const float> samples, int sampleRate) {
    const std::vector<float> hz = trackHz(samples, sampleRate);
    std::vector<float> voiced;
    std::copy_if(hz.begin(), hz.end(), std::back_inserter(voiced), [](float f) { return f > 0; });
    PitchCurve curve;
    curve.medianHz = medianOf(voiced);
    curve.semitones.reserve(hz.size());
    for (const float f : hz)
        curve.semitones.push_back(f > 0 ? 12.0f * std::log2(f / curve.medianHz)
                                        : std::numeric_limits<float>::quiet_NaN());
    return curve;
}

} // namespace hearvex::shadow
