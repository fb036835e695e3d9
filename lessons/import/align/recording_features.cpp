#include "recording_features.h"

#include "audio_decoder.h"

#include <vector>

namespace hearvex::lessons {

RecordingFeatures::RecordingFeatures()
    : m_decoder(std::make_unique<AudioDecoder>()) {}

RecordingFeatures::~RecordingFeatures() = default;

bool RecordingFeatures::open(const QByteArray& path, QString* error) {
    return m_decoder->open(path, error);
}

int RecordingFeatures::sampleRate() const {
    return m_decoder->sampleRate();
}

qint64 RecordingFeatures::durationMs() const {
    return m_decoder->durationMs();
}

bool RecordingFeatures::run(float topHz, const std::atomic<bool>& stop, QString* error) {
    const int rate = m_decoder->sampleRate();
    const int channels = m_decoder->channels();
    MfccExtractor extractor(rate, topHz);
    std::vector<float> mono;
    qint64 frames = 0;
    const bool read = m_decoder->run(
        [&](const float* const* planes, int frameCount) {
            mono.assign(planes[0], planes[0] + frameCount);
            if (channels == 2)
                for (int i = 0; i < frameCount; ++i)
                    mono[size_t(i)] = 0.5f * (mono[size_t(i)] + planes[1][i]);
            extractor.feed(mono.data(), mono.size());
            frames += frameCount;
            m_doneMs.store(frames * 1000 / rate, std::memory_order_relaxed);
            return !stop.load(std::memory_order_relaxed);
        },
        error);
    m_features = extractor.take();
    return read && !stop.load();
}

} // namespace hearvex::lessons
