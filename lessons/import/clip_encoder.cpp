#include "clip_encoder.h"

#include "import_text.h"
#include "lesson_list.h"

namespace hearvex::lessons {

namespace {
// Speech needs no more; mono is half of it.
constexpr int64_t kBitRatePerChannel = 64000;
} // namespace

std::unique_ptr<ClipEncoder> ClipEncoder::create(const QByteArray& name, const ClipFormat& format,
                                                 QString* error) {
    std::unique_ptr<ClipEncoder> clip(new ClipEncoder);
    const QString path = fileNameText(name);
    const AVCodec* codec = avcodec_find_encoder_by_name("libmp3lame");
    if (!codec) {
        *error = ImportText::tr("this FFmpeg has no MP3 encoder (libmp3lame)");
        return {};
    }
    if (avformat_alloc_output_context2(&clip->m_output, nullptr, "mp3", name.constData()) < 0) {
        *error = ImportText::tr("this FFmpeg cannot write MP3 files");
        return {};
    }
    clip->m_encoder.reset(avcodec_alloc_context3(codec));
    AVCodecContext* ctx = clip->m_encoder.get();
    ctx->sample_fmt = AV_SAMPLE_FMT_FLTP;
    ctx->sample_rate = format.sampleRate;
    av_channel_layout_default(&ctx->ch_layout, format.channels);
    ctx->bit_rate = kBitRatePerChannel * format.channels;
    ctx->time_base = {1, format.sampleRate};
    AVStream* stream = avformat_new_stream(clip->m_output, nullptr);
    int rc = stream ? avcodec_open2(ctx, codec, nullptr) : AVERROR(ENOMEM);
    if (rc >= 0)
        rc = avcodec_parameters_from_context(stream->codecpar, ctx);
    if (rc < 0) {
        *error = ImportText::tr("cannot open the MP3 encoder: %1").arg(av::errorText(rc));
        return {};
    }
    stream->time_base = ctx->time_base;
    if ((rc = avio_open(&clip->m_output->pb, name.constData(), AVIO_FLAG_WRITE)) < 0) {
        *error = ImportText::tr("cannot write %1: %2").arg(path, av::errorText(rc));
        return {};
    }
    // No ID3 tag: the player would show its title, and the sentence is the answer.
    AVDictionary* options = nullptr;
    av_dict_set(&options, "id3v2_version", "0", 0);
    rc = avformat_write_header(clip->m_output, &options);
    av_dict_free(&options);
    if (rc < 0) {
        *error = ImportText::tr("cannot write %1: %2").arg(path, av::errorText(rc));
        return {};
    }
    clip->m_fifo.reset(av_audio_fifo_alloc(AV_SAMPLE_FMT_FLTP, format.channels, ctx->frame_size));
    clip->m_frame.reset(av_frame_alloc());
    clip->m_packet.reset(av_packet_alloc());
    if (!clip->m_fifo || !clip->m_frame || !clip->m_packet) {
        *error = ImportText::tr("out of memory");
        return {};
    }
    return clip;
}

ClipEncoder::~ClipEncoder() {
    if (m_output) {
        avio_closep(&m_output->pb);
        avformat_free_context(m_output);
    }
}

bool ClipEncoder::send(const AVFrame* frame, QString* error) {
    int rc = avcodec_send_frame(m_encoder.get(), frame);
    while (rc >= 0) {
        rc = avcodec_receive_packet(m_encoder.get(), m_packet.get());
        if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF)
            return true;
        if (rc < 0)
            break;
        av_packet_rescale_ts(m_packet.get(), m_encoder->time_base, m_output->streams[0]->time_base);
        m_packet->stream_index = 0;
        rc = av_write_frame(m_output, m_packet.get());
        av_packet_unref(m_packet.get());
    }
    *error = ImportText::tr("encoding the MP3 failed: %1").arg(av::errorText(rc));
    return false;
}

bool ClipEncoder::encodeFrames(int frameCount, QString* error) {
    AVFrame* frame = m_frame.get();
    av_frame_unref(frame);
    frame->nb_samples = frameCount;
    frame->format = m_encoder->sample_fmt;
    frame->sample_rate = m_encoder->sample_rate;
    av_channel_layout_copy(&frame->ch_layout, &m_encoder->ch_layout);
    int rc = av_frame_get_buffer(frame, 0);
    if (rc >= 0 && av_audio_fifo_read(m_fifo.get(), reinterpret_cast<void**>(frame->data),
                                      frameCount) != frameCount)
        rc = AVERROR_BUG;
    if (rc < 0) {
        *error = ImportText::tr("encoding the MP3 failed: %1").arg(av::errorText(rc));
        return false;
    }
    frame->pts = m_framesSent;
    m_framesSent += frameCount;
    return send(frame, error);
}

bool ClipEncoder::write(const float* const* planes, int frameCount, QString* error) {
    void* data[2] = {const_cast<float*>(planes[0]), const_cast<float*>(planes[1])};
    if (av_audio_fifo_write(m_fifo.get(), data, frameCount) != frameCount) {
        *error = ImportText::tr("out of memory");
        return false;
    }
    const int frameSize = m_encoder->frame_size;
    while (av_audio_fifo_size(m_fifo.get()) >= frameSize)
        if (!encodeFrames(frameSize, error))
            return false;
    return true;
}

bool ClipEncoder::finish(QString* error) {
    if (const int left = av_audio_fifo_size(m_fifo.get()); left > 0 && !encodeFrames(left, error))
        return false;
    if (!send(nullptr, error))
        return false;
    int rc = av_write_trailer(m_output);
    if (rc >= 0)
        rc = avio_closep(&m_output->pb);
    if (rc < 0) {
        *error = ImportText::tr("writing the MP3 failed: %1").arg(av::errorText(rc));
        return false;
    }
    return true;
}

} // namespace hearvex::lessons
