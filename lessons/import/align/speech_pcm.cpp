#include "speech_pcm.h"

#include "audio_decoder.h"
#include "speech_aligner.h"

#include <cmath>

namespace hearvex::lessons {

namespace {

// Mono float at the decoder's rate in, 16 kHz 16-bit out.
class ToSpeechRate {
public:
    explicit ToSpeechRate(int inRate) {
        AVChannelLayout mono = AV_CHANNEL_LAYOUT_MONO;
        SwrContext* swr = nullptr;
        if (swr_alloc_set_opts2(&swr, &mono, AV_SAMPLE_FMT_S16, kSpeechRate, &mono,
                                AV_SAMPLE_FMT_FLT, inRate, 0, nullptr) >= 0 &&
            swr_init(swr) >= 0)
            m_swr.reset(swr);
        else
            swr_free(&swr);
    }
    bool isReady() const { return m_swr != nullptr; }
    void convert(const float* in, int count, std::vector<qint16>& out) {
        const int room = swr_get_out_samples(m_swr.get(), count);
        if (room <= 0)
            return;
        const size_t at = out.size();
        out.resize(at + size_t(room));
        auto* dest = reinterpret_cast<uint8_t*>(out.data() + at);
        const auto* src = reinterpret_cast<const uint8_t*>(in);
        const int made = swr_convert(m_swr.get(), &dest, room, in ? &src : nullptr, count);
        out.resize(at + size_t(std::max(made, 0)));
    }

private:
    av::Resampler m_swr;
};

} // namespace

bool readSpeechPcm(const QByteArray& path, std::vector<qint16>* pcm, QString* error,
                   const PcmProgress& progress) {
    pcm->clear();
    error->clear();
    AudioDecoder decoder;
    if (!decoder.open(path, error))
        return false;
    ToSpeechRate resampler(decoder.sampleRate());
    if (!resampler.isReady()) {
        *error = QStringLiteral("cannot convert the sound to 16 kHz");
        return false;
    }
    const double totalFrames = double(decoder.durationMs()) * decoder.sampleRate() / 1000.0;
    const int channels = decoder.channels();
    pcm->reserve(size_t(std::max(0.0, totalFrames) * kSpeechRate / decoder.sampleRate()) + 16);
    std::vector<float> mono;
    double frames = 0;
    bool cancelled = false;
    const bool read = decoder.run(
        [&](const float* const* planes, int frameCount) {
            mono.assign(planes[0], planes[0] + frameCount);
            if (channels == 2)
                for (int i = 0; i < frameCount; ++i)
                    mono[size_t(i)] = 0.5f * (mono[size_t(i)] + planes[1][i]);
            resampler.convert(mono.data(), frameCount, *pcm);
            frames += frameCount;
            if (progress && totalFrames > 0 && !progress(std::min(1.0, frames / totalFrames)))
                cancelled = true;
            return !cancelled;
        },
        error);
    if (cancelled) {
        error->clear();
        return false;
    }
    if (!read)
        return false;
    resampler.convert(nullptr, 0, *pcm);
    return true;
}

} // namespace hearvex::lessons
