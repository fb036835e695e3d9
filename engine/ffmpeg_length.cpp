#include "ffmpeg_length.h"

extern "C" {
#include <libavformat/avformat.h>
}

#include <algorithm>
#include <chrono>

namespace vbmp3 {
namespace {

// Reading a whole stream's packets at open: an hour of ADTS takes a small
// part of this from the page cache; only a cold, slow disk reaches it.
constexpr std::int64_t kScanBudgetNs = 400'000'000;
constexpr std::int64_t kTailBudgetNs = 200'000'000;
// A stated end this close to the last packet's is the container's word.
constexpr double kTrustSeconds = 0.25;

std::int64_t nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::int64_t secondsToTs(double seconds, AVRational timeBase) {
    return static_cast<std::int64_t>(seconds * timeBase.den / timeBase.num);
}

// The duration the container states, as an end timestamp; negative if it
// states none or FFmpeg only guessed it from the bit rate.
std::int64_t statedEnd(const AVFormatContext* format, const AVStream* stream) {
    if (format->duration_estimation_method == AVFMT_DURATION_FROM_BITRATE)
        return -1;
    const std::int64_t start = stream->start_time == AV_NOPTS_VALUE ? 0 : stream->start_time;
    if (stream->duration != AV_NOPTS_VALUE && stream->duration > 0)
        return start + stream->duration;
    if (format->duration != AV_NOPTS_VALUE && format->duration > 0) {
        const std::int64_t formatStart =
            format->start_time == AV_NOPTS_VALUE ? 0 : format->start_time;
        return av_rescale_q(formatStart + format->duration, AV_TIME_BASE_Q, stream->time_base);
    }
    return -1;
}

// With an index of every packet's place (MP4, MOV), the sound ends at the
// first packet that lies past the end of the file. Negative: no such index,
// or nothing missing.
std::int64_t firstMissingPacket(AVStream* stream, std::int64_t fileBytes) {
    const int count = avformat_index_get_entries_count(stream);
    std::int64_t missing = -1;
    for (int i = 0; i < count; ++i) {
        const AVIndexEntry* entry = avformat_index_get_entry(stream, i);
        if (entry->size <= 0) // places of clusters or keyframes only: no answer here
            return -1;
        if (entry->pos + entry->size > fileBytes && (missing < 0 || entry->timestamp < missing))
            missing = entry->timestamp;
    }
    return missing;
}

struct Reach {
    std::int64_t endTs = -1;    // the end of the last packet read
    std::int64_t packets = 0;   // packets of the stream read
    std::int64_t firstPos = -1; // file offset of the first
    std::int64_t lastPos = -1;  // and of the last
    bool timedOut = false;
};

// Reads stream's packets from where the input stands to the end of the file.
Reach readToEnd(AVFormatContext* format, int stream, const ReadDeadline& deadline) {
    Reach reach;
    AVPacket* packet = av_packet_alloc();
    if (!packet)
        return reach;
    int failures = 0;
    std::int64_t lastTs = AV_NOPTS_VALUE;
    std::int64_t lastDuration = 0;
    for (;;) {
        const int rc = av_read_frame(format, packet);
        if (deadline.passed()) {
            reach.timedOut = true;
            break;
        }
        if (rc < 0) {
            // A damaged packet is skipped; the end or a run of failures ends it.
            if (rc == AVERROR_EOF || avio_feof(format->pb) || ++failures > 32)
                break;
            continue;
        }
        failures = 0;
        if (packet->stream_index == stream) {
            const std::int64_t ts = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
            if (ts != AV_NOPTS_VALUE) {
                // A packet of no stated duration (ASF) lasts as long as the
                // one before it.
                if (packet->duration > 0)
                    lastDuration = packet->duration;
                else if (lastTs != AV_NOPTS_VALUE && ts > lastTs)
                    lastDuration = ts - lastTs;
                lastTs = ts;
                reach.endTs = std::max(reach.endTs, ts + lastDuration);
            }
            if (packet->pos >= 0) {
                if (reach.firstPos < 0)
                    reach.firstPos = packet->pos;
                reach.lastPos = packet->pos + packet->size;
            }
            ++reach.packets;
        }
        av_packet_unref(packet);
    }
    av_packet_free(&packet);
    return reach;
}

// The stated end, checked by reading the last seconds: a file cut short
// ends where its packets do. Negative when the tail cannot be read at all.
std::int64_t checkedEnd(AVFormatContext* format, int stream, std::int64_t stated,
                        const ReadDeadline& deadline) {
    const AVRational timeBase = format->streams[stream]->time_base;
    deadline.arm(kTailBudgetNs);
    Reach reach;
    if (av_seek_frame(format, stream, stated - secondsToTs(3.0, timeBase), AVSEEK_FLAG_BACKWARD) >=
        0)
        reach = readToEnd(format, stream, deadline);
    deadline.disarm();
    if (reach.timedOut && reach.packets > 0)
        return stated; // a slow disk, not a short file
    if (reach.timedOut || reach.packets == 0)
        return -1;
    return reach.endTs >= stated - secondsToTs(kTrustSeconds, timeBase) ? stated : reach.endTs;
}

// Reads the stream from its start; past the time limit, the rest of the file
// is taken to hold sound at the rate read so far.
std::int64_t scannedEnd(AVFormatContext* format, int stream, std::int64_t fileBytes,
                        const ReadDeadline& deadline) {
    AVStream* st = format->streams[stream];
    const std::int64_t start = st->start_time == AV_NOPTS_VALUE ? 0 : st->start_time;
    if (av_seek_frame(format, stream, start, AVSEEK_FLAG_BACKWARD) < 0 &&
        avformat_seek_file(format, -1, INT64_MIN, 0, 0, AVSEEK_FLAG_BYTE) < 0)
        return -1;
    deadline.arm(kScanBudgetNs);
    const Reach reach = readToEnd(format, stream, deadline);
    deadline.disarm();
    if (reach.endTs < 0 || !reach.timedOut || reach.lastPos <= reach.firstPos)
        return reach.endTs;
    const double share =
        double(fileBytes - reach.firstPos) / double(reach.lastPos - reach.firstPos);
    // Bounded far past any real length, so that the conversion stays defined.
    return start + static_cast<std::int64_t>(std::min(double(reach.endTs - start) * share, 1e15));
}

} // namespace

void ReadDeadline::arm(std::int64_t budgetNs) const {
    *deadlineNs = nowNs() + budgetNs;
}

bool ReadDeadline::passed() const {
    return *deadlineNs != 0 && nowNs() > *deadlineNs;
}

std::int64_t streamEndTs(AVFormatContext* format, int stream, std::int64_t fileBytes,
                         const ReadDeadline& deadline) {
    AVStream* st = format->streams[stream];
    const std::int64_t stated = statedEnd(format, st);
    if (stated > 0) {
        if (avformat_index_get_entries_count(st) > 0) {
            const std::int64_t missing = firstMissingPacket(st, fileBytes);
            if (missing >= 0)
                return std::min(missing, stated);
            if (avformat_index_get_entry(st, 0)->size > 0)
                return stated; // every packet is in the file
        }
        if (const std::int64_t checked = checkedEnd(format, stream, stated, deadline); checked >= 0)
            return checked;
    }
    return scannedEnd(format, stream, fileBytes, deadline);
}

} // namespace vbmp3
