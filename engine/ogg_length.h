// The length of an Ogg Vorbis or Opus stream from its pages, for files whose
// decoder cannot say (an interrupted download has no last page, and
// libsndfile then reports an endless stream).
#pragma once

#include <cstdint>

namespace vbmp3 {

// Frames at sampleRate up to the end of the last whole page of the file's
// first stream, or -1 if the file holds no such page.
std::int64_t oggFramesFromPages(int fd, std::int64_t fileBytes, std::int32_t sampleRate);

} // namespace vbmp3
