// What an opened recording tells of itself, whichever decoder reads it: the
// facts of the track record, its length in frames.
#pragma once

#include <cstdint>
#include <string>

namespace vbmp3 {

struct TrackFacts {
    std::string title;  // UTF-8: the title tag, else the file's name
    std::string artist; // UTF-8, may be empty
    std::int32_t channels = 0;
    std::int32_t sampleRate = 0;
    std::int32_t bitRateKbps = 0;
    std::int64_t frameCount = 0;
};

} // namespace vbmp3
