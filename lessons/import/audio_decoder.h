// The first audio stream of a media file, decoded once from start to end and
// handed on as planar float PCM in the format the clips are written in.
#pragma once

#include "av_util.h"

#include <QString>
#include <functional>

namespace hearvex::lessons {

class AudioDecoder {
public:
    AudioDecoder() = default;
    AudioDecoder(const AudioDecoder&) = delete;
    AudioDecoder& operator=(const AudioDecoder&) = delete;
    ~AudioDecoder() { av_channel_layout_uninit(&m_inLayout); }

    // Frames of planar float, one pointer per channel.
    using Sink = std::function<bool(const float* const* planes, int frameCount)>;

    // Opens the file and its first audio stream; false with a message when it
    // cannot be read or holds no audio.
    bool open(const QByteArray& path, QString* error);

    int sampleRate() const { return m_outRate; }   // an MP3 rate: the source's, or 44100
    int channels() const { return m_outChannels; } // 1 or 2
    // The container's idea of the length, 0 when it has none.
    qint64 durationMs() const;

    // Decodes everything in order. A silent lead-in fills any gap between the
    // media's start and the stream's first sound, so frame n of the output is
    // at n / sampleRate() seconds of the media. Stops early (returning true)
    // when the sink returns false; false with a message on a read error.
    bool run(const Sink& sink, QString* error);

private:
    bool resample(const AVFrame* frame, const Sink& sink, bool* stop);
    bool feedSilence(qint64 frameCount, const Sink& sink);

    av::Input m_input;
    av::Codec m_decoder;
    av::Resampler m_resampler;
    int m_stream = -1;
    int m_outRate = 44100;
    int m_outChannels = 2;
    bool m_started = false;
    int m_inFormat = -1;
    int m_inRate = 0;
    AVChannelLayout m_inLayout{};
    std::vector<float> m_planes[2];
};

} // namespace hearvex::lessons
