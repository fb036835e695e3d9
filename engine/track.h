// One opened recording: its facts for the track record, and stereo frames
// decoded on demand. Opened on the caller's thread (header only), then read
// and sought by the decoding thread alone.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct sf_private_tag;

namespace vbmp3 {

struct TrackFacts {
    std::string title;  // UTF-8: the title tag, else the file's name
    std::string artist; // UTF-8, may be empty
    std::int32_t channels = 0;
    std::int32_t sampleRate = 0;
    std::int32_t bitRateKbps = 0;
    std::int64_t frameCount = 0;
};

class Track {
public:
    // Opens path (UTF-8) by content. On failure returns nullptr and sets
    // error to VBMP3_ERR_CANNOT_READ or VBMP3_ERR_NOT_AUDIO.
    static std::unique_ptr<Track> open(const char* path, std::int32_t& error);

    ~Track();
    Track(const Track&) = delete;
    Track& operator=(const Track&) = delete;

    const TrackFacts& facts() const { return m_facts; }

    // Decodes up to frameCount frames as interleaved stereo (mono on both
    // sides, channels past the second dropped). Returns the frames decoded;
    // fewer than asked means the end of the track (or an undecodable rest).
    std::int64_t read(float* stereo, std::int64_t frameCount);

    // Moves to frame; false if the decoder cannot get there.
    bool seek(std::int64_t frame);

private:
    Track() = default;

    sf_private_tag* m_file = nullptr;
    int m_fd = -1;
    TrackFacts m_facts;
    std::vector<float> m_scratch; // interleaved frames of more than two channels
};

} // namespace vbmp3
