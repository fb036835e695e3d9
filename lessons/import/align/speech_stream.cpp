#include "speech_stream.h"

#include "audio_decoder.h"

#include <algorithm>

namespace hearvex::lessons {

namespace {

// Mono float at the decoder's rate in, 16 kHz 16-bit out.
class ToSpeechRate {
public:
    explicit ToSpeechRate(int inRate) {
        AVChannelLayout mono = AV_CHANNEL_LAYOUT_MONO;
        SwrContext* swr = nullptr;
        if (swr_alloc_set_opts2(&swr, &mono, AV_SAMPLE_FMT_S16, kStreamSpeechRate, &mono,
                                AV_SAMPLE_FMT_FLT, inRate, 0, nullptr) >= 0 &&
            swr_init(swr) >= 0)
            m_swr.reset(swr);
        else
            swr_free(&swr);
    }
    bool isReady() const { return m_swr != nullptr; }
    // in == nullptr drains what the resampler still holds.
    std::span<const qint16> convert(const float* in, int count) {
        const int room = swr_get_out_samples(m_swr.get(), count);
        m_out.resize(size_t(std::max(room, 0)));
        if (room <= 0)
            return {};
        auto* dest = reinterpret_cast<uint8_t*>(m_out.data());
        const auto* src = reinterpret_cast<const uint8_t*>(in);
        const int made = swr_convert(m_swr.get(), &dest, room, in ? &src : nullptr, count);
        return std::span<const qint16>(m_out.data(), size_t(std::max(made, 0)));
    }

private:
    av::Resampler m_swr;
    std::vector<qint16> m_out;
};

} // namespace

bool streamSpeech(const QByteArray& path, const SpeechSink& sink, qint64* lengthMs,
                  QString* error) {
    AudioDecoder decoder;
    if (!decoder.open(path, error))
        return false;
    *lengthMs = decoder.durationMs();
    ToSpeechRate resampler(decoder.sampleRate());
    if (!resampler.isReady()) {
        *error = QStringLiteral("cannot convert the sound to 16 kHz");
        return false;
    }
    const int channels = decoder.channels();
    std::vector<float> mono;
    bool stopped = false;
    const bool read = decoder.run(
        [&](const float* const* planes, int frameCount) {
            mono.assign(planes[0], planes[0] + frameCount);
            if (channels == 2)
                for (int i = 0; i < frameCount; ++i)
                    mono[size_t(i)] = 0.5f * (mono[size_t(i)] + planes[1][i]);
            stopped = !sink(resampler.convert(mono.data(), frameCount));
            return !stopped;
        },
        error);
    if (!read)
        return false;
    if (!stopped)
        sink(resampler.convert(nullptr, 0));
    return true;
}

void SpeechWindow::append(std::span<const qint16> samples) {
    m_samples.insert(m_samples.end(), samples.begin(), samples.end());
}

void SpeechWindow::dropBefore(qint64 sample) {
    const qint64 drop = std::clamp<qint64>(sample - m_first, 0, qint64(m_samples.size()));
    // In steps of a second or more, so the buffer is not moved for every piece.
    if (drop < kStreamSpeechRate && drop < qint64(m_samples.size()))
        return;
    m_samples.erase(m_samples.begin(), m_samples.begin() + drop);
    m_first += drop;
}

std::span<const qint16> SpeechWindow::span(qint64 from, qint64 to) const {
    from = std::clamp(from, m_first, endSample());
    to = std::clamp(to, from, endSample());
    return std::span<const qint16>(m_samples).subspan(size_t(from - m_first), size_t(to - from));
}

} // namespace hearvex::lessons
