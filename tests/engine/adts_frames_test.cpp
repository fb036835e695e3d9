// The walk over raw ADTS frame headers that gives such a stream its length
// and the places seeks land on, on streams built header by header.
#include "adts_frames.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace {

constexpr int kFrameBytes = 23;

// A 44.1 kHz stereo AAC-LC frame header for a frame of `bytes` bytes holding
// `blocks` raw blocks of 1024 samples, then a payload of zeros.
std::string frame(int bytes = kFrameBytes, int blocks = 1) {
    std::string f(static_cast<std::size_t>(bytes), '\0');
    f[0] = char(0xFF);
    f[1] = char(0xF1);
    f[2] = char(0x50); // profile LC, rate index 4 (44.1 kHz), channels 2 (high bit 0)
    f[3] = char(0x80 | ((bytes >> 11) & 0x03));
    f[4] = char((bytes >> 3) & 0xFF);
    f[5] = char(((bytes & 0x07) << 5) | 0x1F);
    f[6] = char(0xFC | (blocks - 1));
    return f;
}

std::string frames(int count) {
    std::string s;
    for (int i = 0; i < count; ++i)
        s += frame();
    return s;
}

vbmp3::AdtsFrames walk(const std::string& bytes) {
    char path[] = "/tmp/hearvex-adts-XXXXXX";
    const int fd = mkstemp(path);
    EXPECT_GE(fd, 0);
    EXPECT_EQ(write(fd, bytes.data(), bytes.size()), ssize_t(bytes.size()));
    vbmp3::AdtsFrames result = vbmp3::walkAdtsFrames(fd, std::int64_t(bytes.size()));
    close(fd);
    unlink(path);
    return result;
}

} // namespace

TEST(AdtsFrames, LengthAndPlacesOfEveryKindOfStream) {
    const std::string id3 =
        std::string("ID3\x04\x00\x00\x00\x00\x00\x0C", 10) + std::string(12, 'x');
    const struct {
        const char* name;
        std::string bytes;
        std::int64_t samples; // 0: the walk gives up
        std::int64_t firstAt; // offset of the first frame
    } cases[] = {
        {"plain", frames(1000), 1000 * 1024, 0},
        {"behind an ID3 tag", id3 + frames(1000), 1000 * 1024, 22},
        {"junk before the first frame", "junk" + frames(1000), 1000 * 1024, 4},
        {"two blocks a frame", frame(40, 2) + frame(40, 2) + frame(40, 2), 3 * 2048, 0},
        {"cut inside its last frame", frames(1000).substr(0, 1000 * kFrameBytes - 5), 999 * 1024,
         0},
        {"with a tag at its end", frames(1000) + std::string(128, 'T'), 1000 * 1024, 0},
        {"damaged halfway", frames(500) + std::string(kFrameBytes, 'z') + frames(499), 0, 0},
        {"no frames", std::string(5000, 'z'), 0, 0},
    };
    for (const auto& c : cases) {
        const vbmp3::AdtsFrames result = walk(c.bytes);
        EXPECT_EQ(result.sampleCount, c.samples) << c.name;
        if (c.samples == 0)
            continue;
        EXPECT_EQ(result.sampleRate, 44100) << c.name;
        ASSERT_FALSE(result.places.empty()) << c.name;
        EXPECT_EQ(result.places[0].offset, c.firstAt) << c.name;
        EXPECT_EQ(result.places[0].sample, 0) << c.name;
    }
}

// An hour and a half of frames keep a few thousand places, evenly spread, each
// where its frame is.
TEST(AdtsFrames, PlacesStayFewAndTrueOverLongStreams) {
    constexpr int kFrames = 150000;
    const vbmp3::AdtsFrames result = walk(frames(kFrames));
    EXPECT_EQ(result.sampleCount, std::int64_t{kFrames} * 1024);
    EXPECT_LE(result.places.size(), 4096u);
    EXPECT_GE(result.places.size(), 1024u);
    for (std::size_t i = 0; i < result.places.size(); ++i) {
        const vbmp3::AdtsPlace& place = result.places[i];
        ASSERT_EQ(place.offset, place.sample / 1024 * kFrameBytes) << i;
        if (i > 0) {
            ASSERT_GT(place.sample, result.places[i - 1].sample) << i;
        }
    }
    EXPECT_GT(result.places.back().sample, std::int64_t{kFrames} * 1024 * 9 / 10);
}
