// Raw ADTS AAC states neither its length nor where its seconds lie. Its
// frame headers do: a walk from header to header (a few reads of the file,
// no decoding) gives the exact length of an hour in milliseconds, and the
// places of frames spread over the stream, for seeks to land on.
#pragma once

#include <cstdint>
#include <vector>

namespace vbmp3 {

struct AdtsPlace {
    std::int64_t offset = 0; // of the frame's header in the file
    std::int64_t sample = 0; // of the frame's first sample in the stream
};

struct AdtsFrames {
    int sampleRate = 0;            // the headers' rate (HE-AAC decodes at twice it)
    std::int64_t sampleCount = 0;  // samples of all whole frames, at sampleRate
    std::vector<AdtsPlace> places; // ascending, a few thousand at most
};

// From the first frame (after an ID3v2 tag) to the last whole one; empty
// (sampleCount 0) when the walk breaks off before most of the file (damage:
// the caller then has FFmpeg read the stream instead).
AdtsFrames walkAdtsFrames(int fd, std::int64_t fileBytes);

} // namespace vbmp3
