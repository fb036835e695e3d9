#include "word_clip.h"

#include <rubberband/RubberBandStretcher.h>

#include <algorithm>

namespace hearvex::words {

namespace {

constexpr qint64 kBlockFrames = 4096;
// As the engine stretches speech, so a word sounds as it does in the sentence.
constexpr RubberBand::RubberBandStretcher::Options kOptions =
    RubberBand::RubberBandStretcher::OptionProcessOffline |
    RubberBand::RubberBandStretcher::OptionThreadingNever |
    RubberBand::RubberBandStretcher::OptionEngineFiner |
    RubberBand::RubberBandStretcher::OptionFormantPreserved |
    RubberBand::RubberBandStretcher::OptionChannelsTogether;

void retrieve(RubberBand::RubberBandStretcher& stretcher, SoundClip& out) {
    const int channels = out.channels;
    std::vector<std::vector<float>> planes(static_cast<size_t>(channels));
    std::vector<float*> pointers(static_cast<size_t>(channels));
    // Without threads all that is ready is there; -1 once the last frame is out.
    for (int available; (available = stretcher.available()) > 0;) {
        for (int c = 0; c < channels; ++c) {
            planes[size_t(c)].resize(size_t(available));
            pointers[size_t(c)] = planes[size_t(c)].data();
        }
        const size_t got = stretcher.retrieve(pointers.data(), size_t(available));
        for (size_t i = 0; i < got; ++i)
            for (int c = 0; c < channels; ++c)
                out.samples.push_back(planes[size_t(c)][i]);
    }
}

} // namespace

SoundClip stretchClip(const SoundClip& clip, int speedPercent) {
    speedPercent = std::clamp(speedPercent, 50, 200);
    if (speedPercent == 100 || clip.isEmpty())
        return clip;
    const int channels = clip.channels;
    RubberBand::RubberBandStretcher stretcher(size_t(clip.sampleRate), size_t(channels), kOptions,
                                              100.0 / speedPercent);
    const qint64 frames = clip.frameCount();
    stretcher.setExpectedInputDuration(size_t(frames));
    const auto planeCount = static_cast<size_t>(channels);
    std::vector<std::vector<float>> planes(planeCount,
                                           std::vector<float>(static_cast<size_t>(frames)));
    for (qint64 i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
            planes[size_t(c)][size_t(i)] = clip.samples[size_t(i * channels + c)];
    std::vector<const float*> pointers(planeCount);
    SoundClip out{clip.sampleRate, channels, {}};
    for (const bool studying : {true, false}) {
        for (qint64 at = 0; at < frames; at += kBlockFrames) {
            const qint64 count = std::min(kBlockFrames, frames - at);
            for (int c = 0; c < channels; ++c)
                pointers[size_t(c)] = planes[size_t(c)].data() + at;
            const bool last = at + count >= frames;
            if (studying) {
                stretcher.study(pointers.data(), size_t(count), last);
            } else {
                stretcher.process(pointers.data(), size_t(count), last);
                retrieve(stretcher, out);
            }
        }
    }
    retrieve(stretcher, out);
    return out;
}

} // namespace hearvex::words
