// Title and artist from an MP3's ID3 tags, read with the encoding each frame
// declares. libsndfile hands ID3 text over already converted from Latin-1,
// which loses the GBK that Chinese taggers put in Latin-1 frames; this small
// reader keeps the bytes as they were.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vbmp3 {

struct Id3Text {
    std::string title;  // UTF-8, empty if none
    std::string artist; // UTF-8, empty if none
};

// From an ID3v2 tag (versions 2.2 to 2.4: TIT2/TPE1 or TT2/TP1, with
// unsynchronisation and an extended header) at the start of the file; a
// field it lacks comes from an ID3v1 tag at the end.
Id3Text readId3(int fd, std::int64_t fileBytes);

// The same, from the bytes of an ID3v2 tag (header included) and the last
// 128 bytes of a file (may be empty).
Id3Text parseId3(std::string_view v2Tag, std::string_view last128);

} // namespace vbmp3
