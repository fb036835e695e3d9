#include "mpeg_frames.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <unistd.h>
#include <vector>

namespace vbmp3 {
namespace {

// Frames that must follow one another (fewer only if the file ends there).
constexpr int kChain = 4;
// How far into the file the audio is looked for, after any ID3 tag.
constexpr std::int64_t kSearchBytes = 1 << 20;

// The fields that stay the same from frame to frame of one stream.
std::uint32_t streamKey(const unsigned char* h) {
    return std::uint32_t{h[1]} << 8 | (h[2] & 0x0C);
}

} // namespace

int mpegFrameBytes(const unsigned char* h) {
    static constexpr std::array<std::array<int, 16>, 5> kKbps{{
        {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0}, // 1, I
        {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},    // 1, II
        {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0},     // 1, III
        {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0},    // 2, I
        {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},         // 2, II/III
    }};
    static constexpr std::array<int, 3> kRates{44100, 48000, 32000};
    if (h[0] != 0xFF || (h[1] & 0xE0) != 0xE0)
        return 0;
    const int version = (h[1] >> 3) & 3;     // 0: 2.5, 1: reserved, 2: 2, 3: 1
    const int layer = 4 - ((h[1] >> 1) & 3); // 4: reserved
    const int bitrateIndex = h[2] >> 4;
    const int rateIndex = (h[2] >> 2) & 3;
    const int padding = (h[2] >> 1) & 1;
    if (version == 1 || layer == 4 || rateIndex == 3 || (h[3] & 3) == 2)
        return 0;
    const bool mpeg1 = version == 3;
    const int table = mpeg1 ? layer - 1 : (layer == 1 ? 3 : 4);
    const int kbps = kKbps[static_cast<std::size_t>(table)][static_cast<std::size_t>(bitrateIndex)];
    if (kbps == 0)
        return 0;
    const int rate = kRates[static_cast<std::size_t>(rateIndex)] >> (mpeg1          ? 0
                                                                     : version == 2 ? 1
                                                                                    : 2);
    if (layer == 1)
        return (12 * kbps * 1000 / rate + padding) * 4;
    const int perKbit = layer == 3 && !mpeg1 ? 72 : 144;
    return perKbit * kbps * 1000 / rate + padding;
}

std::int64_t mpegAudioStart(int fd, std::int64_t fileBytes) {
    std::int64_t from = 0;
    std::int64_t tagEnd = -1; // where the ID3 tag says the audio starts
    std::array<unsigned char, 10> id3{};
    if (pread(fd, id3.data(), id3.size(), 0) == 10 && std::memcmp(id3.data(), "ID3", 3) == 0) {
        const std::int64_t size = (std::int64_t{id3[6]} & 0x7F) << 21 |
                                  (std::int64_t{id3[7]} & 0x7F) << 14 |
                                  (std::int64_t{id3[8]} & 0x7F) << 7 | (id3[9] & 0x7F);
        tagEnd = 10 + size + ((id3[5] & 0x10) ? 10 : 0);
        from = 10;
    }
    const std::int64_t end = std::min(fileBytes, from + kSearchBytes + (tagEnd > 0 ? tagEnd : 0));
    std::vector<unsigned char> bytes(
        static_cast<std::size_t>(std::max<std::int64_t>(0, end - from)));
    if (bytes.empty() ||
        pread(fd, bytes.data(), bytes.size(), from) != static_cast<ssize_t>(bytes.size()))
        return -1;

    // A chain of frames from offset at (relative to from), each header read
    // from the buffer or, past it, from the file.
    auto chainAt = [&](std::int64_t at) {
        std::array<unsigned char, 4> first{};
        std::array<unsigned char, 4> h{};
        std::int64_t pos = at;
        for (int n = 0; n < kChain; ++n) {
            if (from + pos == fileBytes)
                return n >= 2; // a short file ends after whole frames
            if (pread(fd, h.data(), 4, from + pos) != 4)
                return false;
            const int length = mpegFrameBytes(h.data());
            if (length == 0)
                return false;
            if (n == 0)
                first = h;
            else if (streamKey(h.data()) != streamKey(first.data()))
                return false;
            pos += length;
        }
        return true;
    };
    // The tag's own word first: most files are fine.
    if (tagEnd >= from && tagEnd < fileBytes && chainAt(tagEnd - from))
        return tagEnd;
    for (std::size_t i = 0; i + 4 <= bytes.size(); ++i)
        if (bytes[i] == 0xFF && mpegFrameBytes(&bytes[i]) > 0 &&
            chainAt(static_cast<std::int64_t>(i)))
            return from + static_cast<std::int64_t>(i);
    return -1;
}

} // namespace vbmp3
