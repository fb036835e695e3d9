// A recording libsndfile cannot read, decoded through FFmpeg: M4A/AAC (also
// raw ADTS), MP4/MOV, WebM/Matroska, WMA, AC-3, ALAC and the rest of what
// FFmpeg's demuxers recognise by content. Its first audio stream is handed
// out as stereo float at its own rate, sample-exact after a seek in every
// format. Opened on the caller's thread, then read and sought by the
// decoding thread alone; memory stays the same whatever the length.
#pragma once

#include "media_source.h"

#include <cstdint>
#include <memory>
#include <vector>

struct AVFormatContext;
struct AVCodecContext;
struct AVIOContext;
struct AVPacket;
struct AVFrame;
struct SwrContext;

namespace vbmp3 {

// The file as FFmpeg reads it: through the descriptor, never by name.
struct FdInput {
    int fd = -1;
    std::int64_t size = 0;
    std::int64_t pos = 0;
    std::int64_t deadlineNs = 0; // blocking reads give up after it (0: never)
};

class FfmpegSource final : public MediaSource {
public:
    // Opens the file behind fd (which stays the caller's) by its content.
    // Null when FFmpeg does not recognise it as a container or stream with a
    // decodable audio stream, or when that stream decodes nothing. The facts
    // are filled except for a title the file lacks (left empty).
    static std::unique_ptr<FfmpegSource> open(int fd, std::int64_t fileBytes);

    ~FfmpegSource() override;
    FfmpegSource(const FfmpegSource&) = delete;
    FfmpegSource& operator=(const FfmpegSource&) = delete;

    const TrackFacts& facts() const override { return m_facts; }

    // As Track::read: interleaved stereo, fewer frames than asked at the end.
    std::int64_t read(float* stereo, std::int64_t frameCount) override;

    // Moves to exactly frame (within a container's timestamp precision);
    // false if the stream cannot get there.
    bool seek(std::int64_t frame) override;

private:
    enum class Landing { Exact, Late, End };

    FfmpegSource() = default;
    bool openStream(int fd, std::int64_t fileBytes);
    bool openDecoder();
    bool decodeFirstSecond();
    bool measure(std::int64_t fileBytes);
    bool measureAdts(std::int64_t fileBytes, std::int64_t& frames);
    void readTags(int fd, std::int64_t fileBytes);
    std::int32_t averageKbps(std::int64_t fileBytes) const;

    Landing decodeTo(std::int64_t frame);
    bool seekBefore(std::int64_t frame, std::int64_t target);
    bool seekToStart();
    void resetDecoder();
    bool sendNextPacket();
    bool decodeFrame();
    bool convert(const AVFrame* frame);
    bool makeResampler(const AVFrame* frame);
    std::int64_t framePosition(const AVFrame* frame) const;
    std::int64_t toFrames(std::int64_t ts) const;
    std::int64_t toTimestamp(std::int64_t frame) const;

    FdInput m_io;
    AVIOContext* m_avio = nullptr;
    AVFormatContext* m_format = nullptr;
    AVCodecContext* m_codec = nullptr;
    AVPacket* m_packet = nullptr;
    AVFrame* m_frame = nullptr;
    SwrContext* m_resampler = nullptr;
    int m_resamplerFormat = -1;
    int m_resamplerRate = 0;
    int m_resamplerChannels = 0;
    int m_stream = -1;
    TrackFacts m_facts;
    std::int64_t m_originTs = 0;      // stream time of the track's first frame
    std::int64_t m_prerollFrames = 0; // decoded and dropped before a seek target
    std::int64_t m_skipBeforeTs = 0;  // packets wholly before it are not decoded
    std::int64_t m_decodedFrame = 0;  // track frame of the next decoded sample, if known
    bool m_atStart = false;           // the input was rewound to the stream's start
    bool m_inputDone = false;
    std::int64_t m_bytesSent = 0;   // packet bytes given to the decoder
    std::int64_t m_firstFrames = 0; // frames decoded by the check at open
    bool m_endedEarly = false;      // the check at open reached the end
    std::vector<float> m_pending;   // converted frames not yet handed out, stereo
    std::size_t m_pendingAt = 0;    // in floats
    std::vector<float> m_mono;
};

} // namespace vbmp3
