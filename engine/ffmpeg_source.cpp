#include "ffmpeg_source.h"

#include "adts_frames.h"
#include "ffmpeg_length.h"
#include "id3_tags.h"
#include "tag_text.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswresample/swresample.h>
}

#include <algorithm>
#include <chrono>
#include <cstring>
#include <unistd.h>

namespace vbmp3 {
namespace {

constexpr int kIoBufferBytes = 64 * 1024;
constexpr std::int32_t kMaxChannels = 64;
constexpr std::int32_t kMinSampleRate = 1000;
constexpr std::int32_t kMaxSampleRate = 768000;
constexpr std::int64_t kMaxFrames = (std::int64_t{1} << 40) - 1;
constexpr std::int64_t kUnknownFrame = INT64_MIN;
// Damaged packets in a row that a player skips before it calls it the end.
constexpr int kMaxFailures = 32;

int readInput(void* opaque, std::uint8_t* buffer, int size) {
    auto* input = static_cast<FdInput*>(opaque);
    const std::int64_t left = input->size - input->pos;
    if (left <= 0 || size <= 0)
        return AVERROR_EOF;
    const ssize_t got =
        pread(input->fd, buffer, static_cast<std::size_t>(std::min<std::int64_t>(size, left)),
              static_cast<off_t>(input->pos));
    if (got <= 0)
        return got == 0 ? AVERROR_EOF : AVERROR(EIO);
    input->pos += got;
    return static_cast<int>(got);
}

std::int64_t seekInput(void* opaque, std::int64_t offset, int whence) {
    auto* input = static_cast<FdInput*>(opaque);
    if (whence & AVSEEK_SIZE)
        return input->size;
    whence &= ~AVSEEK_FORCE;
    const std::int64_t base = whence == SEEK_CUR   ? input->pos
                              : whence == SEEK_END ? input->size
                                                   : 0;
    if (base + offset < 0)
        return AVERROR(EINVAL);
    input->pos = base + offset;
    return input->pos;
}

int interrupted(void* opaque) {
    const auto* input = static_cast<const FdInput*>(opaque);
    if (input->deadlineNs == 0)
        return 0;
    const std::int64_t now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                 std::chrono::steady_clock::now().time_since_epoch())
                                 .count();
    return now > input->deadlineNs;
}

std::string metadataText(const AVDictionary* metadata, const char* key) {
    const AVDictionaryEntry* entry = av_dict_get(metadata, key, nullptr, 0);
    return entry && entry->value ? textFromUtf8Tag(entry->value) : std::string{};
}

// A demuxer's stream with no sound of its own: a cover picture.
bool isPicture(const AVStream* stream) {
    return (stream->disposition & AV_DISPOSITION_ATTACHED_PIC) != 0;
}

} // namespace

std::unique_ptr<FfmpegSource> FfmpegSource::open(int fd, std::int64_t fileBytes) {
    std::unique_ptr<FfmpegSource> source(new FfmpegSource());
    if (!source->openStream(fd, fileBytes) || !source->openDecoder() ||
        !source->decodeFirstSecond() || !source->measure(fileBytes))
        return nullptr;
    source->readTags(fd, fileBytes);
    source->m_facts.bitRateKbps = source->averageKbps(fileBytes);
    if (!source->seek(0))
        return nullptr;
    return source;
}

FfmpegSource::~FfmpegSource() {
    swr_free(&m_resampler);
    av_frame_free(&m_frame);
    av_packet_free(&m_packet);
    avcodec_free_context(&m_codec);
    avformat_close_input(&m_format);
    if (m_avio)
        av_freep(&m_avio->buffer);
    avio_context_free(&m_avio);
}

// The container or stream by its content alone. MP3 is left to libsndfile,
// which reads it (also after junk) as it always has.
bool FfmpegSource::openStream(int fd, std::int64_t fileBytes) {
    m_io = FdInput{fd, fileBytes, 0, 0};
    auto* buffer = static_cast<unsigned char*>(av_malloc(kIoBufferBytes));
    if (!buffer)
        return false;
    m_avio = avio_alloc_context(buffer, kIoBufferBytes, 0, &m_io, readInput, nullptr, seekInput);
    if (!m_avio) {
        av_free(buffer);
        return false;
    }
    const AVInputFormat* format = nullptr;
    const int score = av_probe_input_buffer2(m_avio, &format, "", nullptr, 0, 0);
    // A low score is a guess from a few bytes that happen to look right.
    if (score <= AVPROBE_SCORE_RETRY || !format || std::strcmp(format->name, "mp3") == 0)
        return false;
    m_format = avformat_alloc_context();
    if (!m_format)
        return false;
    m_format->pb = m_avio;
    m_format->flags |= AVFMT_FLAG_CUSTOM_IO;
    m_format->interrupt_callback = AVIOInterruptCB{interrupted, &m_io};
    if (avformat_open_input(&m_format, "", format, nullptr) < 0)
        return false; // the context is freed and null
    // A film's pictures need not be decoded to learn about its sound.
    bool hasSound = false;
    for (unsigned i = 0; i < m_format->nb_streams; ++i)
        hasSound = hasSound || m_format->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_AUDIO;
    for (unsigned i = 0; hasSound && i < m_format->nb_streams; ++i)
        if (m_format->streams[i]->codecpar->codec_type != AVMEDIA_TYPE_AUDIO)
            m_format->streams[i]->discard = AVDISCARD_ALL;
    if (avformat_find_stream_info(m_format, nullptr) < 0)
        return false;
    m_stream = av_find_best_stream(m_format, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    if (m_stream < 0)
        return false;
    for (unsigned i = 0; i < m_format->nb_streams; ++i)
        m_format->streams[i]->discard =
            static_cast<int>(i) == m_stream ? AVDISCARD_DEFAULT : AVDISCARD_ALL;
    return true;
}

bool FfmpegSource::openDecoder() {
    const AVStream* stream = m_format->streams[m_stream];
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!codec)
        return false;
    m_codec = avcodec_alloc_context3(codec);
    m_packet = av_packet_alloc();
    m_frame = av_frame_alloc();
    if (!m_codec || !m_packet || !m_frame ||
        avcodec_parameters_to_context(m_codec, stream->codecpar) < 0)
        return false;
    m_codec->pkt_timebase = stream->time_base;
    return avcodec_open2(m_codec, codec, nullptr) >= 0;
}

// A header that parses is not enough: the stream must decode. Its first
// second also gives the sound's true rate and channels (HE-AAC doubles the
// rate its header states) and where the track's time begins.
bool FfmpegSource::decodeFirstSecond() {
    const AVStream* stream = m_format->streams[m_stream];
    resetDecoder();
    while (m_facts.sampleRate == 0 || m_firstFrames < m_facts.sampleRate) {
        if (!decodeFrame()) {
            m_endedEarly = true;
            break;
        }
        if (m_facts.sampleRate == 0) {
            m_facts.sampleRate = m_frame->sample_rate;
            m_facts.channels = m_frame->ch_layout.nb_channels;
            const std::int64_t pts = m_frame->best_effort_timestamp;
            m_originTs = pts != AV_NOPTS_VALUE                  ? pts
                         : stream->start_time != AV_NOPTS_VALUE ? stream->start_time
                                                                : 0;
        }
        m_firstFrames += m_frame->nb_samples;
    }
    if (m_facts.sampleRate < kMinSampleRate || m_facts.sampleRate > kMaxSampleRate ||
        m_facts.channels < 1 || m_facts.channels > kMaxChannels || m_firstFrames < 1)
        return false;
    const std::int64_t preroll = stream->codecpar->seek_preroll;
    m_prerollFrames =
        m_facts.sampleRate / 10 + std::clamp<std::int64_t>(preroll, 0, kMaxSampleRate);
    return true;
}

// Raw ADTS: its length and the places of its frames, from the frame
// headers; seeks then land by FFmpeg's index. False if the walk failed.
bool FfmpegSource::measureAdts(std::int64_t fileBytes, std::int64_t& frames) {
    if (std::strcmp(m_format->iformat->name, "aac") != 0)
        return false;
    const AdtsFrames walk = walkAdtsFrames(m_io.fd, fileBytes);
    if (walk.sampleCount <= 0 || walk.sampleRate <= 0)
        return false;
    AVStream* stream = m_format->streams[m_stream];
    const AVRational headerTime{1, walk.sampleRate};
    for (const AdtsPlace& place : walk.places)
        av_add_index_entry(stream, place.offset,
                           av_rescale_q(place.sample, headerTime, stream->time_base), 0, 0,
                           AVINDEX_KEYFRAME);
    frames = toFrames(av_rescale_q(walk.sampleCount, headerTime, stream->time_base));
    return true;
}

bool FfmpegSource::measure(std::int64_t fileBytes) {
    std::int64_t frames = 0;
    if (m_endedEarly) {
        frames = m_firstFrames; // all of it has been decoded
    } else if (!measureAdts(fileBytes, frames)) {
        const std::int64_t endTs =
            streamEndTs(m_format, m_stream, fileBytes, ReadDeadline{&m_io.deadlineNs});
        frames = endTs >= 0 ? toFrames(endTs) : 0;
    }
    if (frames < 1 || frames > kMaxFrames)
        return false;
    m_facts.frameCount = frames;
    return true;
}

// Raw AAC and AC-3 carry their title in an ID3 tag in front, read as the MP3
// reader does (keeping GBK); containers hand theirs over as UTF-8.
void FfmpegSource::readTags(int fd, std::int64_t fileBytes) {
    unsigned char head[3] = {};
    if (pread(fd, head, sizeof head, 0) == 3 && std::memcmp(head, "ID3", 3) == 0) {
        Id3Text id3 = readId3(fd, fileBytes);
        m_facts.title = std::move(id3.title);
        m_facts.artist = std::move(id3.artist);
    }
    const AVDictionary* container = m_format->metadata;
    const AVDictionary* stream = m_format->streams[m_stream]->metadata;
    for (const AVDictionary* metadata : {container, stream}) {
        if (m_facts.title.empty())
            m_facts.title = metadataText(metadata, "title");
        if (m_facts.artist.empty())
            m_facts.artist = metadataText(metadata, "artist");
    }
}

// The container's figure for the stream, else its bytes over its length:
// the whole file's when it holds nothing else, else those of its first second.
std::int32_t FfmpegSource::averageKbps(std::int64_t fileBytes) const {
    const AVCodecParameters* codecpar = m_format->streams[m_stream]->codecpar;
    // A raw stream's figure is FFmpeg's guess from its first frames.
    const bool guessed = m_format->duration_estimation_method == AVFMT_DURATION_FROM_BITRATE;
    if (codecpar->bit_rate > 0 && !guessed)
        return static_cast<std::int32_t>(
            std::min<std::int64_t>(codecpar->bit_rate / 1000, INT32_MAX));
    int sounding = 0;
    for (unsigned i = 0; i < m_format->nb_streams; ++i)
        sounding += !isPicture(m_format->streams[i]);
    const double seconds = sounding == 1 ? double(m_facts.frameCount) / m_facts.sampleRate
                                         : double(m_firstFrames) / m_facts.sampleRate;
    const double bytes = sounding == 1 ? double(fileBytes) : double(m_bytesSent);
    if (seconds <= 0.0)
        return 0;
    return static_cast<std::int32_t>(
        std::min<double>(std::round(bytes * 8.0 / seconds / 1000.0), INT32_MAX));
}

// ---- reading ---------------------------------------------------------------

std::int64_t FfmpegSource::read(float* stereo, std::int64_t frameCount) {
    std::int64_t done = 0;
    while (done < frameCount) {
        if (m_pendingAt >= m_pending.size()) {
            m_pending.clear();
            m_pendingAt = 0;
            if (!decodeFrame() || !convert(m_frame))
                break;
            continue;
        }
        const std::int64_t n = std::min<std::int64_t>(
            frameCount - done, static_cast<std::int64_t>(m_pending.size() - m_pendingAt) / 2);
        std::memcpy(stereo + 2 * done, m_pending.data() + m_pendingAt,
                    static_cast<std::size_t>(2 * n) * sizeof(float));
        m_pendingAt += static_cast<std::size_t>(2 * n);
        done += n;
    }
    return done;
}

// The next decoded frame of the stream into m_frame; false at its end.
bool FfmpegSource::decodeFrame() {
    int failures = 0;
    while (failures < kMaxFailures) {
        const int rc = avcodec_receive_frame(m_codec, m_frame);
        if (rc >= 0) {
            if (m_frame->nb_samples > 0 && m_frame->sample_rate > 0)
                return true;
            av_frame_unref(m_frame);
        } else if (rc == AVERROR_EOF) {
            return false;
        } else if (rc != AVERROR(EAGAIN)) {
            ++failures; // a damaged packet: skipped, as players do
        } else if (m_inputDone) {
            return false;
        } else if (!sendNextPacket()) {
            m_inputDone = true;
            avcodec_send_packet(m_codec, nullptr); // drain what the decoder holds
        } else {
            failures = 0;
        }
    }
    return false;
}

bool FfmpegSource::sendNextPacket() {
    int failures = 0;
    while (failures < kMaxFailures) {
        const int rc = av_read_frame(m_format, m_packet);
        if (rc < 0) {
            if (rc == AVERROR_EOF || rc == AVERROR_EXIT || avio_feof(m_format->pb))
                return false;
            ++failures;
            continue;
        }
        failures = 0;
        const std::int64_t ts = m_packet->pts != AV_NOPTS_VALUE ? m_packet->pts : m_packet->dts;
        // After a seek, packets that end before the decoder's run-up starts
        // are passed over undecoded.
        const bool before = ts != AV_NOPTS_VALUE && ts + m_packet->duration < m_skipBeforeTs;
        if (m_packet->stream_index == m_stream && before)
            m_atStart = false; // counting from 0 no longer holds
        if (m_packet->stream_index == m_stream && !before) {
            m_bytesSent += m_packet->size;
            avcodec_send_packet(m_codec, m_packet); // a refused packet is skipped
            av_packet_unref(m_packet);
            return true;
        }
        av_packet_unref(m_packet);
    }
    return false;
}

bool FfmpegSource::makeResampler(const AVFrame* frame) {
    swr_free(&m_resampler);
    const int channels = frame->ch_layout.nb_channels;
    AVChannelLayout in{};
    if (frame->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
        av_channel_layout_default(&in, channels);
    else if (av_channel_layout_copy(&in, &frame->ch_layout) < 0)
        return false;
    // Mono stays mono (heard in full on both sides); more channels are mixed
    // down to two, so the centre channel, where films put speech, is heard.
    AVChannelLayout out{};
    av_channel_layout_default(&out, channels == 1 ? 1 : 2);
    const int rc = swr_alloc_set_opts2(&m_resampler, &out, AV_SAMPLE_FMT_FLT, m_facts.sampleRate,
                                       &in, static_cast<AVSampleFormat>(frame->format),
                                       frame->sample_rate, 0, nullptr);
    av_channel_layout_uninit(&in);
    av_channel_layout_uninit(&out);
    if (rc < 0 || swr_init(m_resampler) < 0) {
        swr_free(&m_resampler);
        return false;
    }
    m_resamplerFormat = frame->format;
    m_resamplerRate = frame->sample_rate;
    m_resamplerChannels = channels;
    return true;
}

// Appends the frame to m_pending as stereo at the track's rate (a stream
// that changes its rate midway is resampled to the rate it began with).
bool FfmpegSource::convert(const AVFrame* frame) {
    if ((!m_resampler || frame->format != m_resamplerFormat ||
         frame->sample_rate != m_resamplerRate ||
         frame->ch_layout.nb_channels != m_resamplerChannels) &&
        !makeResampler(frame))
        return false;
    const bool mono = m_resamplerChannels == 1;
    const int room = swr_get_out_samples(m_resampler, frame->nb_samples);
    if (room <= 0)
        return room == 0;
    const std::size_t at = m_pending.size();
    m_pending.resize(at + 2 * static_cast<std::size_t>(room));
    if (mono)
        m_mono.resize(static_cast<std::size_t>(room));
    auto* out = reinterpret_cast<std::uint8_t*>(mono ? m_mono.data() : m_pending.data() + at);
    const int made =
        swr_convert(m_resampler, &out, room, const_cast<const std::uint8_t**>(frame->extended_data),
                    frame->nb_samples);
    const int kept = std::max(made, 0);
    for (int i = 0; mono && i < kept; ++i)
        m_pending[at + 2 * std::size_t(i)] = m_pending[at + 2 * std::size_t(i) + 1] =
            m_mono[std::size_t(i)];
    m_pending.resize(at + 2 * static_cast<std::size_t>(kept));
    return made >= 0;
}

// ---- seeking ---------------------------------------------------------------

std::int64_t FfmpegSource::toFrames(std::int64_t ts) const {
    return av_rescale_q(ts - m_originTs, m_format->streams[m_stream]->time_base,
                        AVRational{1, m_facts.sampleRate});
}

std::int64_t FfmpegSource::toTimestamp(std::int64_t frame) const {
    return m_originTs + av_rescale_q(frame, AVRational{1, m_facts.sampleRate},
                                     m_format->streams[m_stream]->time_base);
}

// Where the frame's first sample lies in the track: counted on from the
// last frame, else from its timestamp, else 0 right after a rewind.
std::int64_t FfmpegSource::framePosition(const AVFrame* frame) const {
    if (m_decodedFrame != kUnknownFrame)
        return m_decodedFrame;
    if (frame->best_effort_timestamp != AV_NOPTS_VALUE)
        return toFrames(frame->best_effort_timestamp);
    return m_atStart ? 0 : kUnknownFrame;
}

void FfmpegSource::resetDecoder() {
    avcodec_flush_buffers(m_codec);
    swr_free(&m_resampler);
    m_pending.clear();
    m_pendingAt = 0;
    m_inputDone = false;
    m_decodedFrame = kUnknownFrame;
    m_atStart = false;
    m_skipBeforeTs = INT64_MIN;
}

// To the stream's first packet, which may lie before the first sound (a
// decoder that needs a packet to start gives nothing for it).
bool FfmpegSource::seekToStart() {
    resetDecoder();
    m_atStart = true;
    const std::int64_t startTs = m_format->streams[m_stream]->start_time;
    const std::int64_t first =
        startTs == AV_NOPTS_VALUE ? m_originTs : std::min(startTs, m_originTs);
    return av_seek_frame(m_format, m_stream, first, AVSEEK_FLAG_BACKWARD) >= 0 ||
           avformat_seek_file(m_format, m_stream, INT64_MIN, first, INT64_MAX, 0) >= 0 ||
           av_seek_frame(m_format, -1, 0, AVSEEK_FLAG_BYTE) >= 0;
}

// The demuxer's seek lands on a packet at or before frame (by the container's
// index, or a guess where there is none); decoding then runs on to target.
bool FfmpegSource::seekBefore(std::int64_t frame, std::int64_t target) {
    if (frame <= 0)
        return seekToStart();
    resetDecoder();
    if (av_seek_frame(m_format, m_stream, toTimestamp(frame), AVSEEK_FLAG_BACKWARD) < 0)
        return false;
    m_skipBeforeTs = toTimestamp(target - m_prerollFrames);
    return true;
}

// Decodes from where the input stands up to target, dropping what lies
// before it. Late: the first frame already lies past target.
FfmpegSource::Landing FfmpegSource::decodeTo(std::int64_t target) {
    for (bool first = true;; first = false) {
        if (!decodeFrame())
            return Landing::End;
        const std::int64_t at = framePosition(m_frame);
        if (at == kUnknownFrame || (first && at > target))
            return Landing::Late;
        m_pending.clear();
        m_pendingAt = 0;
        if (!convert(m_frame))
            return Landing::End;
        const auto frames = static_cast<std::int64_t>(m_pending.size() / 2);
        m_decodedFrame = at + frames;
        if (at + frames > target) {
            m_pendingAt = static_cast<std::size_t>(2 * std::max<std::int64_t>(target - at, 0));
            return Landing::Exact;
        }
    }
}

bool FfmpegSource::seek(std::int64_t frame) {
    if (frame < 0)
        return false;
    // Wider run-ups when the demuxer lands late (an index with gaps, a
    // stream it can only guess in); last, from the start, passing over the
    // packets before the run-up without decoding them.
    for (const std::int64_t runUp : {m_prerollFrames, std::int64_t{m_facts.sampleRate} * 5}) {
        if (frame - runUp <= 0 || !seekBefore(frame - runUp, frame))
            break;
        const Landing landing = decodeTo(frame);
        if (landing != Landing::Late)
            return landing == Landing::Exact;
    }
    if (!seekToStart())
        return false;
    m_skipBeforeTs = frame > m_prerollFrames ? toTimestamp(frame - m_prerollFrames) : INT64_MIN;
    return decodeTo(frame) == Landing::Exact;
}

} // namespace vbmp3
