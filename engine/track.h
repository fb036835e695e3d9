// One opened recording: its facts for the track record, and stereo frames
// decoded on demand. Opened on the caller's thread (header only), then read
// and sought by the decoding thread alone.
#pragma once

#include "track_facts.h"

#include <cstdint>
#include <memory>
#include <vector>

struct sf_private_tag;
struct SF_INFO;

namespace vbmp3 {

class MediaSource;

// A part of an open file, from start to its end, as the decoder sees it.
struct FileView {
    int fd = -1;
    std::int64_t start = 0;
    std::int64_t size = 0;
    std::int64_t pos = 0;
};

class Track {
public:
    // Opens path (UTF-8) by content: through libsndfile what it reads, the
    // rest through FFmpeg (media_source.h). On failure returns nullptr and
    // sets error to VBMP3_ERR_CANNOT_READ or VBMP3_ERR_NOT_AUDIO.
    static std::unique_ptr<Track> open(const char* path, std::int32_t& error);

    ~Track();
    Track(const Track&) = delete;
    Track& operator=(const Track&) = delete;

    const TrackFacts& facts() const { return m_facts; }

    // Decodes up to frameCount frames as interleaved stereo (mono on both
    // sides, channels past the second dropped; NaN and infinity as 0).
    // Returns the frames decoded; fewer than asked means the end of the track
    // (or an undecodable rest).
    std::int64_t read(float* stereo, std::int64_t frameCount);

    // Moves to frame, so that the next read gives what a read from the start
    // would give there; false if the decoder cannot get there.
    bool seek(std::int64_t frame);

private:
    Track() = default;
    std::int64_t readStereo(float* stereo, std::int64_t frameCount);
    // Reads and drops frameCount frames; false if the track ends first.
    bool skip(std::int64_t frameCount);
    // Takes file (may be null) as the decoder and checks it decodes; fills
    // the facts it gives.
    bool openDecoder(sf_private_tag* file, SF_INFO& info, std::int64_t fileBytes);
    bool openWithSndfile(std::int64_t fileBytes, SF_INFO& info, bool fromFirstMpegFrame);
    void takeSndfileFacts(const SF_INFO& info, std::int64_t fileBytes);

    sf_private_tag* m_file = nullptr;
    std::unique_ptr<MediaSource> m_media; // FFmpeg's decoder, instead of m_file
    int m_fd = -1;
    FileView m_view; // the decoder's view, when it does not read the file whole
    TrackFacts m_facts;
    bool m_lengthFromScan = false;    // the decoder could not tell the length
    bool m_decodesWithLeadIn = false; // a seek must decode from before its target
    std::int64_t m_readFrame = 0;
    std::vector<float> m_scratch; // interleaved frames of more than two channels
};

} // namespace vbmp3
