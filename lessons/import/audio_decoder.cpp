#include "audio_decoder.h"

#include "import_text.h"
#include "lesson_list.h"

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>

namespace hearvex::lessons {

namespace {
bool isMp3Rate(int rate) {
    for (int r : {8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000})
        if (r == rate)
            return true;
    return false;
}
} // namespace

bool AudioDecoder::open(const QByteArray& name, QString* error) {
    const QString path = fileNameText(name);
    struct stat info {};
    const bool found = ::stat(name.constData(), &info) == 0;
    if (!found || !S_ISREG(info.st_mode)) {
        *error = found ? ImportText::tr("%1: not a file").arg(path)
                       : ImportText::tr("%1: no such file").arg(path);
        return false;
    }
    AVFormatContext* raw = nullptr;
    if (const int rc = avformat_open_input(&raw, name.constData(), nullptr, nullptr); rc < 0) {
        *error =
            ImportText::tr("%1: not a media file FFmpeg reads (%2)").arg(path, av::errorText(rc));
        return false;
    }
    m_input.reset(raw);
    if (const int rc = avformat_find_stream_info(m_input.get(), nullptr); rc < 0) {
        *error = ImportText::tr("%1: cannot be read (%2)").arg(path, av::errorText(rc));
        return false;
    }
    for (unsigned i = 0; i < m_input->nb_streams && m_stream < 0; ++i)
        if (m_input->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_AUDIO)
            m_stream = static_cast<int>(i);
    if (m_stream < 0) {
        *error = ImportText::tr("%1: has no audio").arg(path);
        return false;
    }
    for (unsigned i = 0; i < m_input->nb_streams; ++i)
        m_input->streams[i]->discard =
            static_cast<int>(i) == m_stream ? AVDISCARD_DEFAULT : AVDISCARD_ALL;
    QString why;
    m_decoder = av::openDecoder(m_input->streams[m_stream], &why);
    if (!m_decoder) {
        *error = ImportText::tr("%1: its audio cannot be decoded (%2)").arg(path, why);
        return false;
    }
    const int rate = m_decoder->sample_rate;
    const int channels = m_decoder->ch_layout.nb_channels;
    if (rate <= 0 || channels <= 0) {
        *error = ImportText::tr("%1: its audio stream has no sound format").arg(path);
        return false;
    }
    m_outRate = isMp3Rate(rate) ? rate : 44100;
    m_outChannels = std::min(channels, 2);
    return true;
}

qint64 AudioDecoder::durationMs() const {
    if (!m_input)
        return 0;
    const AVStream* stream = m_input->streams[m_stream];
    if (stream->duration > 0)
        return av_rescale_q(stream->duration, stream->time_base, {1, 1000});
    return m_input->duration > 0 ? m_input->duration / 1000 : 0;
}

bool AudioDecoder::feedSilence(qint64 frameCount, const Sink& sink) {
    constexpr int kBlock = 4096;
    std::vector<float> zeros(kBlock, 0.f);
    const float* planes[2] = {zeros.data(), zeros.data()};
    for (qint64 done = 0; done < frameCount; done += kBlock)
        if (!sink(planes, static_cast<int>(std::min<qint64>(kBlock, frameCount - done))))
            return false;
    return true;
}

bool AudioDecoder::resample(const AVFrame* frame, const Sink& sink, bool* stop) {
    // A stream may change its format midway (a new AAC configuration): flush
    // what the old converter holds and start a new one.
    if (frame && m_resampler &&
        (frame->format != m_inFormat || frame->sample_rate != m_inRate ||
         av_channel_layout_compare(&frame->ch_layout, &m_inLayout) != 0)) {
        if (!resample(nullptr, sink, stop))
            return false;
        m_resampler.reset();
    }
    if (!m_resampler) {
        m_inFormat = frame->format;
        m_inRate = frame->sample_rate;
        av_channel_layout_uninit(&m_inLayout);
        av_channel_layout_copy(&m_inLayout, &frame->ch_layout);
        AVChannelLayout out{};
        av_channel_layout_default(&out, m_outChannels);
        AVChannelLayout in{};
        if (frame->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
            av_channel_layout_default(&in, frame->ch_layout.nb_channels);
        else
            av_channel_layout_copy(&in, &frame->ch_layout);
        SwrContext* swr = nullptr;
        const int rc = swr_alloc_set_opts2(&swr, &out, AV_SAMPLE_FMT_FLTP, m_outRate, &in,
                                           static_cast<AVSampleFormat>(frame->format),
                                           frame->sample_rate, 0, nullptr);
        av_channel_layout_uninit(&in);
        av_channel_layout_uninit(&out);
        m_resampler.reset(swr);
        if (rc < 0 || swr_init(swr) < 0)
            return false;
    }
    const int room = swr_get_out_samples(m_resampler.get(), frame ? frame->nb_samples : 0);
    for (auto& plane : m_planes)
        if (static_cast<int>(plane.size()) < room)
            plane.resize(static_cast<size_t>(room));
    uint8_t* out[2] = {reinterpret_cast<uint8_t*>(m_planes[0].data()),
                       reinterpret_cast<uint8_t*>(m_planes[1].data())};
    const int made =
        swr_convert(m_resampler.get(), out, room,
                    frame ? const_cast<const uint8_t**>(frame->extended_data) : nullptr,
                    frame ? frame->nb_samples : 0);
    if (made < 0)
        return false;
    const float* planes[2] = {m_planes[0].data(), m_planes[1].data()};
    if (made > 0 && !sink(planes, made))
        *stop = true;
    return true;
}

bool AudioDecoder::run(const Sink& sink, QString* error) {
    AVStream* stream = m_input->streams[m_stream];
    av::Packet packet(av_packet_alloc());
    av::Frame frame(av_frame_alloc());
    bool stop = false;
    bool draining = false;
    while (!stop) {
        if (!draining) {
            const int rc = av_read_frame(m_input.get(), packet.get());
            if (rc == AVERROR_EOF) {
                draining = true;
                avcodec_send_packet(m_decoder.get(), nullptr);
            } else if (rc < 0) {
                *error = ImportText::tr("reading the media failed: %1").arg(av::errorText(rc));
                return false;
            } else {
                // A damaged packet is skipped, as players do.
                if (packet->stream_index == m_stream)
                    (void)avcodec_send_packet(m_decoder.get(), packet.get());
                av_packet_unref(packet.get());
            }
        }
        int rc = 0;
        while (!stop && (rc = avcodec_receive_frame(m_decoder.get(), frame.get())) >= 0) {
            if (!m_started) {
                m_started = true;
                const int64_t pts = frame->best_effort_timestamp;
                const int64_t origin =
                    m_input->start_time == AV_NOPTS_VALUE
                        ? 0
                        : av_rescale_q(m_input->start_time, AV_TIME_BASE_Q, stream->time_base);
                if (pts != AV_NOPTS_VALUE && pts > origin &&
                    !feedSilence(av_rescale_q(pts - origin, stream->time_base, {1, m_outRate}),
                                 sink))
                    stop = true;
            }
            if (!stop && !resample(frame.get(), sink, &stop)) {
                *error = ImportText::tr("the audio cannot be converted");
                return false;
            }
            av_frame_unref(frame.get());
        }
        if (draining) // a flushed decoder has nothing more to give
            break;
    }
    if (!stop && m_resampler && !resample(nullptr, sink, &stop)) {
        *error = ImportText::tr("the audio cannot be converted");
        return false;
    }
    return true;
}

} // namespace hearvex::lessons
