// Recordings libsndfile cannot read, made with the ffmpeg program in each
// container and codec a learner brings (phones, podcasts, films, old Windows
// files): each opens with its length and title, plays from its first
// sample, lands a seek on the very sound asked for, and a copy cut short
// has the length of what is there.
//
// The signal is a click train: a 2 kHz blip at s + 0.25 + (s mod 4) * 0.05
// seconds in every second s, so where a click falls tells the time to the
// millisecond and which second it is. The clock is the test's (the null
// output pulls only when told), so what is pulled is exactly what is heard.
#include "engine_test_support.h"
#include "vbmp3.h"
#include "vbmp3_probe.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <vector>

using namespace enginetest;

namespace {

constexpr int kSeconds = 30;
const char* const kTitle = "第一课 Lesson one";

struct Media {
    const char* name;
    const char* encode; // ffmpeg arguments after the inputs
    const char* encoder;
    int sampleRate;
    int channels;
    bool titled;    // the format carries a title tag
    int leadFrames; // the encoder's start-up delay, which the format cannot state
    int totalSec;
};

void PrintTo(const Media& media, std::ostream* out) {
    *out << media.name;
}

double clickTime(int second) {
    return second + 0.25 + (second % 4) * 0.05;
}

int runQuietly(const std::string& command) {
    const int status = std::system((command + " >/dev/null 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool hasEncoder(const char* encoder) {
    std::string listing;
    if (FILE* pipe = popen("ffmpeg -hide_banner -encoders 2>/dev/null", "r")) {
        char line[512];
        while (fgets(line, sizeof line, pipe))
            listing += line;
        pclose(pipe);
    }
    return listing.find(std::string(" ") + encoder + " ") != std::string::npos;
}

// The click train (and, for films, a small moving picture) through ffmpeg.
void encode(const Media& media, const std::string& path) {
    const std::string clicks =
        "aevalsrc='0.8*sin(2*PI*2000*t)*exp(-pow((t-(floor(t)+0.25+mod(floor(t),4)*0.05))/"
        "0.0005,2))':s=" +
        std::to_string(media.sampleRate) + ":d=" + std::to_string(kSeconds);
    const std::string command =
        "ffmpeg -nostdin -y -f lavfi -i \"" + clicks +
        "\" -f lavfi -i testsrc=size=96x64:rate=5:d=" + std::to_string(kSeconds) + " -ac " +
        std::to_string(media.channels) + " -metadata title='" + kTitle + "' " + media.encode +
        " '" + path + "'";
    ASSERT_EQ(runQuietly(command), 0) << command;
}

Vbmp3Probe probe() {
    Vbmp3Probe p{};
    vbmp3probe_read(&p);
    return p;
}

// Pulls until frameCount frames of sound were handed out, or the track
// stopped; returns the left channel of that sound (silence of pulls that
// found the decoder behind is left out).
std::vector<float> pullSound(std::int64_t frameCount) {
    std::vector<float> sound;
    std::vector<float> chunk(2 * 256);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (static_cast<std::int64_t>(sound.size()) < frameCount &&
           std::chrono::steady_clock::now() < deadline) {
        const std::int64_t before = probe().audioFramesOut;
        if (vbmp3probe_pull(chunk.data(), 256) != 256)
            break;
        const std::int64_t got = probe().audioFramesOut - before;
        for (std::int64_t i = 0; i < got; ++i)
            sound.push_back(chunk[static_cast<std::size_t>(2 * i)]);
        if (got == 0 && engineState().code == VBMP3_STOPPED)
            break;
        if (got < 256)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    if (static_cast<std::int64_t>(sound.size()) > frameCount)
        sound.resize(static_cast<std::size_t>(frameCount));
    return sound;
}

// Seconds into the sound of each click: the loudest sample of each burst.
std::vector<double> clicksIn(const std::vector<float>& sound, int sampleRate) {
    std::vector<double> clicks;
    const std::size_t gap = static_cast<std::size_t>(sampleRate) / 10;
    for (std::size_t i = 0; i < sound.size(); ++i) {
        if (std::fabs(sound[i]) < 0.3f)
            continue;
        std::size_t top = i;
        for (std::size_t j = i; j < std::min(sound.size(), i + gap); ++j)
            if (std::fabs(sound[j]) > std::fabs(sound[top]))
                top = j;
        clicks.push_back(double(top) / sampleRate);
        i = top + gap;
    }
    return clicks;
}

std::string fieldText(const char* field) {
    return std::string(field, strnlen(field, 128));
}

class EveryContainer : public EngineTest, public ::testing::WithParamInterface<Media> {
protected:
    static void SetUpTestSuite() { s_made = new TempDir(); }
    static void TearDownTestSuite() {
        delete s_made;
        s_made = nullptr;
    }

    // The recording of this row, encoded once for the suite.
    static std::string recording() {
        const std::string path = s_made->file(GetParam().name);
        if (readBytes(path).empty())
            encode(GetParam(), path);
        return path;
    }

    void SetUp() override {
        EngineTest::SetUp();
        if (!hasEncoder(GetParam().encoder))
            GTEST_SKIP() << "ffmpeg has no " << GetParam().encoder << " encoder";
        ASSERT_EQ(vbmp3probe_manualClock(1), 1);
    }

    Vbmp3TrackInfo open(const std::string& path) {
        Vbmp3TrackInfo info{};
        EXPECT_NE(vbmp3_open(path.c_str(), &info), 0)
            << GetParam().name << ": error " << vbmp3_getLastErrorNo();
        return info;
    }

    // The first two clicks heard from second `from` on, once the decoder is
    // there (until then, after a seek, the sound from before goes on).
    void expectClicksFrom(int from) {
        const int rate = GetParam().sampleRate;
        ASSERT_TRUE(waitUntil([&] { return probe().aheadFrames >= rate / 2; })) << from;
        const std::vector<double> clicks = clicksIn(pullSound(rate * 3 / 2), rate);
        ASSERT_EQ(clicks.size(), 2u) << "from " << from;
        // Within 5 ms: the decoder's start-up samples are gone and the seek is
        // exact, up to a container's millisecond timestamps.
        const double lead = double(GetParam().leadFrames) / rate;
        EXPECT_NEAR(clicks[0], clickTime(from) - from + lead, 0.005) << "from " << from;
        EXPECT_NEAR(clicks[1], clickTime(from + 1) - from + lead, 0.005) << "from " << from;
    }

    TempDir m_dir;
    static TempDir* s_made;
};

TempDir* EveryContainer::s_made = nullptr;

} // namespace

TEST_P(EveryContainer, OpensPlaysAndSeeksToTheSoundAsked) {
    const Media& media = GetParam();
    const std::string path = m_dir.file("recording.txt");
    writeBytes(path, readBytes(recording()));
    const Vbmp3TrackInfo info = open(path);
    EXPECT_EQ(info.totalSec, media.totalSec);
    EXPECT_EQ(info.sampleRate, media.sampleRate);
    EXPECT_EQ(info.channels, media.channels);
    EXPECT_GT(info.bitRate, 0);
    EXPECT_EQ(fieldText(info.trackName), media.titled ? kTitle : "recording.txt");

    ASSERT_EQ(vbmp3_play(), 1);
    ASSERT_TRUE(waitUntil([] { return vbmp3_getOutputState() != VBMP3_OUTPUT_NONE; }));
    expectClicksFrom(0);
    for (int target : {25, 3, 17}) {
        ASSERT_EQ(vbmp3_seek(target), 1);
        EXPECT_EQ(engineState().pos, target);
        expectClicksFrom(target);
    }
    ASSERT_EQ(vbmp3_pause(), 1);
    ASSERT_EQ(vbmp3_seek(25), 1);
    ASSERT_EQ(vbmp3_restart(), 1);
    expectClicksFrom(25);
}

// An interrupted download: as long as the sound that is there, played to its
// end, and a seek past it ends the track.
TEST_P(EveryContainer, CutShortHasTheLengthOfWhatIsThere) {
    const std::string bytes = readBytes(recording());
    writeBytes(m_dir.file("cut"), bytes.substr(0, bytes.size() * 6 / 10));
    const Vbmp3TrackInfo info = open(m_dir.file("cut"));
    ASSERT_GE(info.totalSec, 5);
    ASSERT_LT(info.totalSec, kSeconds);

    ASSERT_EQ(vbmp3_play(), 1);
    ASSERT_TRUE(waitUntil([] { return vbmp3_getOutputState() != VBMP3_OUTPUT_NONE; }));
    ASSERT_EQ(vbmp3_seek(info.totalSec - 1), 1);
    const int rate = GetParam().sampleRate;
    ASSERT_TRUE(waitUntil([&] { return probe().aheadFrames >= rate / 2; }));
    const std::vector<float> rest = pullSound(std::int64_t{rate} * 5);
    EXPECT_GE(rest.size(), std::size_t(rate) * 95 / 100) << "a whole last second";
    EXPECT_LT(rest.size(), std::size_t(rate) * 2);
    EXPECT_TRUE(waitUntil([] { return engineState().code == VBMP3_STOPPED; }));

    ASSERT_EQ(vbmp3_play(), 1);
    ASSERT_EQ(vbmp3_seek(info.totalSec + 2), 1);
    EXPECT_EQ(engineState().code, VBMP3_STOPPED);
}

INSTANTIATE_TEST_SUITE_P(
    Recordings, EveryContainer,
    ::testing::Values(
        Media{"m4a_aac", "-map 0:a -c:a aac -b:a 128k -movflags +faststart -f mp4", "aac", 44100, 2,
              true, 0, 30},
        Media{"adts_aac", "-map 0:a -c:a aac -b:a 64k -f adts -write_id3v2 1", "aac", 22050, 1,
              true, 1024, 30},
        Media{"mp4_with_video",
              "-map 1:v -map 0:a -c:v libx264 -preset ultrafast -c:a aac -movflags +faststart "
              "-f mp4",
              "libx264", 48000, 2, true, 0, 30},
        Media{"webm_opus", "-map 1:v -map 0:a -c:v libvpx -deadline realtime -c:a libopus -f webm",
              "libopus", 48000, 2, true, 0, 30},
        Media{"mkv_vorbis", "-map 1:v -map 0:a -c:v mpeg4 -c:a libvorbis -f matroska", "libvorbis",
              44100, 2, true, 0, 30},
        Media{"wma", "-map 0:a -c:a wmav2 -b:a 128k -f asf", "wmav2", 44100, 2, true, -2048, 29},
        Media{"ac3", "-map 0:a -c:a ac3 -b:a 192k -f ac3", "ac3", 48000, 2, false, 256, 30},
        // An old film: MP3 sound between the pictures, found by the container.
        Media{"avi_mp3", "-map 1:v -map 0:a -c:v mpeg4 -c:a libmp3lame -f avi", "libmp3lame", 44100,
              2, true, 1105, 30},
        Media{"alac", "-map 0:a -c:a alac -movflags +faststart -f ipod", "alac", 44100, 1, true, 0,
              30}),
    [](const ::testing::TestParamInfo<Media>& param) { return std::string(param.param.name); });

namespace {

class MediaFiles : public EngineTest {
protected:
    std::string make(const std::string& name, const std::string& arguments) {
        const std::string path = m_dir.file(name);
        const std::string command = "ffmpeg -nostdin -y " + arguments + " '" + path + "'";
        EXPECT_EQ(runQuietly(command), 0) << command;
        return path;
    }

    TempDir m_dir;
};

} // namespace

// A film's speech is in its centre channel: mixed down, it is heard on both
// sides (the first two channels alone would be silent here).
TEST_F(MediaFiles, SurroundIsMixedDownWithItsCentre) {
    const std::string path =
        make("film.ac3", "-f lavfi -i \"aevalsrc='0|0|0.5*sin(2*PI*1000*t)|0|0|0':s=48000:d=3:"
                         "channel_layout=5.1\" -c:a ac3 -f ac3");
    Vbmp3TrackInfo info{};
    ASSERT_NE(vbmp3_open(path.c_str(), &info), 0) << vbmp3_getLastErrorNo();
    EXPECT_EQ(info.channels, 6);
    ASSERT_EQ(vbmp3_play(), 1);
    EXPECT_TRUE(waitUntil([] { return waveMax(false) >= 10 && waveMax(true) >= 10; }))
        << waveMax(false) << " " << waveMax(true);
}

// What FFmpeg reads but holds no sound, or cannot be played from its start,
// is refused as not a recording.
TEST_F(MediaFiles, MediaWithoutPlayableSoundIsRefused) {
    const std::string picture = make("picture.mp4", "-f lavfi -i testsrc=size=96x64:rate=5:d=3 "
                                                    "-c:v libx264 -preset ultrafast -f mp4");
    // An M4A written as phones do, its index last: cut short, the index is gone.
    const std::string whole = make("memo.m4a", "-f lavfi -i sine=f=440:d=5 -c:a aac -f mp4");
    const std::string bytes = readBytes(whole);
    writeBytes(m_dir.file("memo-cut"), bytes.substr(0, bytes.size() / 2));
    for (const std::string& path : {picture, m_dir.file("memo-cut")}) {
        Vbmp3TrackInfo info{};
        EXPECT_EQ(vbmp3_open(path.c_str(), &info), 0) << path;
        EXPECT_EQ(vbmp3_getLastErrorNo(), VBMP3_ERR_NOT_AUDIO) << path;
    }
}

namespace {

bool ffmpegMapped() {
    return readBytes("/proc/self/maps").find("libavcodec") != std::string::npos;
}

} // namespace

// FFmpeg's libraries are loaded with the first recording that needs them,
// never while only what libsndfile reads plays. In a fresh process.
TEST_F(MediaFiles, FfmpegIsLoadedOnlyWhenARecordingNeedsIt) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    Sound sound;
    sound.seconds = 1.0;
    writeSound(m_dir.file("plain.wav"), sound);
    const std::string aac = make("talk.aac", "-f lavfi -i sine=d=2 -c:a aac -f adts");
    EXPECT_EXIT(
        {
            Vbmp3TrackInfo info{};
            const bool wavAlone = vbmp3_open(m_dir.file("plain.wav").c_str(), &info) != 0 &&
                                  vbmp3_play() != 0 && !ffmpegMapped();
            const bool aacLoads = vbmp3_open(aac.c_str(), &info) != 0 && ffmpegMapped();
            std::exit(wavAlone && aacLoads ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}
