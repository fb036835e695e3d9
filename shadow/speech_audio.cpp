#include "speech_audio.h"

#include "take_store.h"

#include <algorithm>
#include <cmath>
#include <samplerate.h>

namespace hearvex::shadow {

std::vector<float> toSpeechRate(std::vector<float> mono, int rate) {
    if (rate == kTakeRate || mono.empty())
        return mono;
    if (rate <= 0)
        return {};
    const double ratio = double(kTakeRate) / rate;
    std::vector<float> out(size_t(std::ceil(double(mono.size()) * ratio)) + 1);
    SRC_DATA data{};
    data.data_in = mono.data();
    data.input_frames = long(mono.size());
    data.data_out = out.data();
    data.output_frames = long(out.size());
    data.src_ratio = ratio;
    if (src_simple(&data, SRC_SINC_FASTEST, 1) != 0)
        return {};
    out.resize(size_t(data.output_frames_gen));
    return out;
}

std::vector<qint16> toPcm16(std::span<const float> samples) {
    std::vector<qint16> pcm(samples.size());
    std::transform(samples.begin(), samples.end(), pcm.begin(), [](float s) {
        return qint16(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f));
    });
    return pcm;
}

std::vector<float> fromPcm16(std::span<const qint16> pcm) {
    std::vector<float> samples(pcm.size());
    std::transform(pcm.begin(), pcm.end(), samples.begin(),
                   [](qint16 s) { return float(s) / 32768.0f; });
    return samples;
}

} // namespace hearvex::shadow
