// Finding where the MPEG audio of a file starts, for MP3s that libsndfile
// refuses but players accept: junk or zeros before the first frame, an ID3
// tag whose size lies, a damaged first frame. Like mpg123, the audio starts
// at the first of several frames that follow one another exactly.
#pragma once

#include <cstdint>

namespace vbmp3 {

// The length in bytes of the MPEG audio frame whose header is h[0..3], or 0
// if those bytes are no valid header (free-format frames count as invalid).
int mpegFrameBytes(const unsigned char* h);

// The offset of the first MPEG audio frame that starts a chain of frames, or
// -1 if none lies in the first part of the file.
std::int64_t mpegAudioStart(int fd, std::int64_t fileBytes);

} // namespace vbmp3
