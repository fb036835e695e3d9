// FFmpeg is the engine's plug-in: recordings libsndfile reads never map it,
// the first one it refuses loads it.
#include "engine_test_support.h"
#include "vbmp3.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <string>

using namespace enginetest;

namespace {

bool mapped(const char* library) {
    FILE* maps = std::fopen("/proc/self/maps", "r");
    if (!maps)
        return false;
    bool found = false;
    char line[4096];
    while (!found && std::fgets(line, sizeof line, maps))
        found = std::strstr(line, library) != nullptr;
    std::fclose(maps);
    return found;
}

class MediaPlugin : public EngineTest {};

} // namespace

TEST_F(MediaPlugin, FfmpegIsLoadedByTheFirstRecordingLibsndfileRefuses) {
    TempDir dir;
    Vbmp3TrackInfo info{};
    for (int format : {kWav16, kMp3}) {
        Sound sound;
        sound.format = format;
        const std::string path = dir.file("lesson.txt");
        writeSound(path, sound);
        ASSERT_NE(vbmp3_open(path.c_str(), &info), 0);
        ASSERT_EQ(vbmp3_play(), 1);
    }
    EXPECT_FALSE(mapped("libavcodec")) << "the engine links FFmpeg again";
    EXPECT_FALSE(mapped("libvbmp3-media"));

    const std::string m4a = dir.file("talk.m4a");
    const std::string make = "ffmpeg -nostdin -y -loglevel error -f lavfi -i "
                             "sine=frequency=440:duration=2 -c:a aac '" +
                             m4a + "' >/dev/null 2>&1";
    if (std::system(make.c_str()) != 0)
        GTEST_SKIP() << "ffmpeg cannot make an AAC recording here";
    ASSERT_NE(vbmp3_open(m4a.c_str(), &info), 0);
    EXPECT_EQ(info.totalSec, 2);
    EXPECT_TRUE(mapped("libvbmp3-media"));
    EXPECT_TRUE(mapped("libavcodec"));
}
