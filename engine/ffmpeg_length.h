// How long an FFmpeg stream really is. A container's stated duration is
// trusted only when the file holds the sound to its end: a cut-short
// download plays, and is as long as, what is there. Streams without one (raw
// ADTS AAC, AC-3: FFmpeg guesses from the bit rate) are measured by reading
// their packets once, without decoding.
#pragma once

#include <cstdint>

struct AVFormatContext;

namespace vbmp3 {

// Arms and disarms the time limit of blocking reads (the input's
// interrupt callback honours it).
struct ReadDeadline {
    std::int64_t* deadlineNs = nullptr;
    void arm(std::int64_t budgetNs) const;
    void disarm() const { *deadlineNs = 0; }
    bool passed() const;
};

// The end of stream's sound in its time base, or a negative value when the
// file shows none. Moves the input anywhere: seek afterwards. Reading to the
// end is limited in time; past the limit the rest is estimated from the
// bytes per second read so far (a recording of many hours on a slow disk).
std::int64_t streamEndTs(AVFormatContext* format, int stream, std::int64_t fileBytes,
                         const ReadDeadline& deadline);

} // namespace vbmp3
