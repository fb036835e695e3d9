// State and position through play, pause, restart, seek, stop and the end of
// a track, on short generated recordings played through SDL's dummy driver.
#include "engine_test_support.h"
#include "vbmp3.h"
#include "vbmp3_probe.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace enginetest;

namespace {

class Playback : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_dir = new TempDir();
        Sound sound;
        sound.seconds = 4.5;
        writeSound(s_dir->file("tone.wav"), sound);
        sound.seconds = 1.3;
        writeSound(s_dir->file("short.wav"), sound);
        sound.seconds = 3.0;
        writeSound(s_dir->file("exact.wav"), sound);
        sound.seconds = 4.5;
        sound.signal = Signal::Stepped;
        writeSound(s_dir->file("stepped.wav"), sound);
        sound.format = kMp3;
        writeSound(s_dir->file("stepped.mp3"), sound);
    }
    static void TearDownTestSuite() {
        delete s_dir;
        s_dir = nullptr;
    }

    void SetUp() override { ASSERT_EQ(vbmp3_init(), 1); }
    void TearDown() override {
        vbmp3_stop();
        vbmp3_stopCallback();
        vbmp3_free();
    }

    Vbmp3TrackInfo open(const std::string& name) {
        Vbmp3TrackInfo info{};
        EXPECT_NE(vbmp3_open(s_dir->file(name).c_str(), &info), 0) << name;
        return info;
    }

    // Until the output hands out audio of the latest play or seek.
    static bool waitHeard() {
        return waitUntil([] {
            Vbmp3Probe probe{};
            return vbmp3probe_read(&probe) && probe.heardGeneration == probe.generation;
        });
    }

    // Until the output has handed out frameCount more frames.
    static bool waitForMoreOutput(std::int64_t frameCount) {
        Vbmp3Probe start{};
        vbmp3probe_read(&start);
        return waitUntil([&] {
            Vbmp3Probe now{};
            return vbmp3probe_read(&now) && now.framesOut >= start.framesOut + frameCount;
        });
    }

    static TempDir* s_dir;
};

TempDir* Playback::s_dir = nullptr;

// The stepped recordings hold a different tone in every second.
int secondHeard(int sampleRate = 44100) {
    const Peak peak = spectrumPeak(false);
    for (int s = 0; s < 5; ++s)
        if (peak.level > 90 &&
            std::abs(peak.bin - static_cast<int>(std::lround(steppedFrequency(s, sampleRate) * 512 /
                                                             sampleRate))) <= 1)
            return s;
    return -1;
}

} // namespace

TEST_F(Playback, PauseHoldsThePositionAndRestartGoesOnFromIt) {
    open("stepped.wav");
    ASSERT_EQ(vbmp3_play(), 1);
    ASSERT_TRUE(waitUntil([] { return engineState().pos >= 1; }));
    ASSERT_EQ(vbmp3_pause(), 1);
    const State paused = engineState();
    EXPECT_EQ(paused.code, VBMP3_PAUSED);
    EXPECT_EQ(waveMax(false), 0);
    // Longer than a second: a position that kept moving would show.
    std::this_thread::sleep_for(std::chrono::milliseconds(1300));
    EXPECT_EQ(engineState().code, VBMP3_PAUSED);
    EXPECT_EQ(engineState().pos, paused.pos);
    EXPECT_EQ(vbmp3_pause(), 1); // already paused: harmless

    ASSERT_EQ(vbmp3_restart(), 1);
    EXPECT_EQ(engineState().code, VBMP3_PLAYING);
    EXPECT_TRUE(waitUntil([&] { return secondHeard() == paused.pos; }))
        << "goes on in the second it was paused in";
    EXPECT_TRUE(waitUntil([&] { return engineState().pos == paused.pos + 1; }));
}

TEST_F(Playback, StopGoesToZeroAndKeepsTheTrackOpen) {
    open("tone.wav");
    ASSERT_EQ(vbmp3_play(), 1);
    ASSERT_TRUE(waitUntil([] { return engineState().pos >= 1; }));
    ASSERT_EQ(vbmp3_stop(), 1);
    State s = engineState();
    EXPECT_EQ(s.code, VBMP3_STOPPED);
    EXPECT_EQ(s.pos, 0);
    EXPECT_EQ(waveMax(false), 0);
    EXPECT_EQ(vbmp3_pause(), 0);
    EXPECT_EQ(vbmp3_restart(), 0);
    EXPECT_EQ(engineState().code, VBMP3_STOPPED);

    ASSERT_EQ(vbmp3_play(), 1);
    s = engineState();
    EXPECT_EQ(s.code, VBMP3_PLAYING);
    EXPECT_EQ(s.pos, 0);
    EXPECT_TRUE(waitUntil([] { return waveMax(false) >= 45; }));
}

TEST_F(Playback, EndOfTrackStopsAtZeroAndPlayStartsAgain) {
    open("short.wav");
    ASSERT_EQ(vbmp3_play(), 1);
    EXPECT_TRUE(waitUntil([] { return engineState().pos >= 1; }));
    ASSERT_TRUE(waitUntil([] { return engineState().code == VBMP3_STOPPED; }));
    EXPECT_EQ(engineState().pos, 0);
    EXPECT_EQ(waveMax(false), 0);

    ASSERT_EQ(vbmp3_play(), 1);
    EXPECT_EQ(engineState().code, VBMP3_PLAYING);
    EXPECT_TRUE(waitUntil([] { return waveMax(false) >= 45; }));
}

TEST_F(Playback, SeekIsReportedAtOnceAndLandsOnTheSecond) {
    for (const char* name : {"stepped.wav", "stepped.mp3"}) {
        SCOPED_TRACE(name);
        open(name);
        ASSERT_EQ(vbmp3_play(), 1);
        // Right after play, back, below 0 (goes to 0), forward.
        for (auto [asked, target] : {std::pair{3, 3}, {1, 1}, {-5, 0}, {2, 2}}) {
            ASSERT_EQ(vbmp3_seek(asked), 1);
            const State s = engineState();
            EXPECT_EQ(s.code, VBMP3_PLAYING);
            EXPECT_EQ(s.pos, target);
            // Once the new position is heard, nothing from before the seek
            // follows: what the output plays is the target second.
            ASSERT_TRUE(waitHeard());
            ASSERT_TRUE(waitForMoreOutput(2048));
            EXPECT_EQ(secondHeard(), target);
            EXPECT_EQ(engineState().pos, target);
        }
    }
}

TEST_F(Playback, SeekRightAfterOpenDoesNothingWhileStopped) {
    open("tone.wav");
    EXPECT_EQ(vbmp3_seek(2), 0);
    EXPECT_EQ(vbmp3_getLastErrorNo(), VBMP3_ERR_WRONG_STATE);
    const State s = engineState();
    EXPECT_EQ(s.code, VBMP3_STOPPED);
    EXPECT_EQ(s.pos, 0);
    ASSERT_EQ(vbmp3_play(), 1);
    EXPECT_EQ(engineState().pos, 0);
}

TEST_F(Playback, SeekWhilePausedMovesAndStaysPaused) {
    open("stepped.wav");
    ASSERT_EQ(vbmp3_play(), 1);
    ASSERT_TRUE(waitUntil([] { return engineState().pos >= 1; }));
    ASSERT_EQ(vbmp3_pause(), 1);
    ASSERT_EQ(vbmp3_seek(3), 1);
    State s = engineState();
    EXPECT_EQ(s.code, VBMP3_PAUSED);
    EXPECT_EQ(s.pos, 3);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    s = engineState();
    EXPECT_EQ(s.code, VBMP3_PAUSED);
    EXPECT_EQ(s.pos, 3);
    EXPECT_EQ(waveMax(false), 0);

    ASSERT_EQ(vbmp3_restart(), 1);
    EXPECT_TRUE(waitUntil([] { return secondHeard() == 3; }));
    EXPECT_TRUE(waitUntil([] { return engineState().code == VBMP3_STOPPED; }));
}

TEST_F(Playback, SeekAtOrBeyondTheEndEndsTheTrack) {
    const Vbmp3TrackInfo info = open("exact.wav");
    ASSERT_EQ(info.totalSec, 3);
    ASSERT_EQ(vbmp3_play(), 1);
    ASSERT_EQ(vbmp3_seek(3), 1); // exactly the end of a 3.0 s track
    State s = engineState();
    EXPECT_EQ(s.code, VBMP3_STOPPED);
    EXPECT_EQ(s.pos, 0);

    ASSERT_EQ(vbmp3_play(), 1);
    ASSERT_EQ(vbmp3_pause(), 1);
    ASSERT_EQ(vbmp3_seek(1000000), 1);
    s = engineState();
    EXPECT_EQ(s.code, VBMP3_STOPPED);
    EXPECT_EQ(s.pos, 0);
}

// Each rate plays at its own speed: never faster than real time (the output
// runs at the track's rate), and it gets through the track.
struct Rate {
    int sampleRate;
    int channels;
};

void PrintTo(const Rate& rate, std::ostream* out) {
    *out << rate.sampleRate << " Hz";
}

class TrueSpeed : public Playback, public ::testing::WithParamInterface<Rate> {};

TEST_P(TrueSpeed, TwoSecondsTakeTwoSeconds) {
    Sound sound;
    sound.sampleRate = GetParam().sampleRate;
    sound.channels = GetParam().channels;
    sound.seconds = 2.3;
    const std::string path = s_dir->file("rate.wav");
    writeSound(path, sound);
    Vbmp3TrackInfo info{};
    ASSERT_NE(vbmp3_open(path.c_str(), &info), 0);
    ASSERT_EQ(vbmp3_play(), 1);
    ASSERT_TRUE(waitHeard());
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(waitUntil([] { return engineState().pos >= 2; }));
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    // The device takes a period ahead, and the dummy driver sleeps whole ms.
    EXPECT_GT(seconds, 1.7);
    EXPECT_TRUE(waitUntil([] { return engineState().code == VBMP3_STOPPED; }));
    Vbmp3Probe probe{};
    ASSERT_EQ(vbmp3probe_read(&probe), 1);
    EXPECT_EQ(probe.underruns, 0) << "the decoder kept the output fed";
}

INSTANTIATE_TEST_SUITE_P(Rates, TrueSpeed,
                         ::testing::Values(Rate{8000, 1}, Rate{11025, 2}, Rate{22050, 1},
                                           Rate{44100, 2}, Rate{48000, 2}, Rate{96000, 1}),
                         [](const ::testing::TestParamInfo<Rate>& param) {
                             return std::to_string(param.param.sampleRate) + "Hz";
                         });

TEST_F(Playback, OpeningAnotherTrackStopsTheFirst) {
    open("tone.wav");
    ASSERT_EQ(vbmp3_play(), 1);
    ASSERT_TRUE(waitUntil([] { return waveMax(false) >= 45; }));
    Sound other;
    other.sampleRate = 22050;
    other.channels = 1;
    other.seconds = 1.5;
    other.amplitude[0] = 0.25;
    const std::string path = s_dir->file("other.wav");
    writeSound(path, other);
    Vbmp3TrackInfo info{};
    ASSERT_NE(vbmp3_open(path.c_str(), &info), 0);
    EXPECT_EQ(engineState().code, VBMP3_STOPPED);
    EXPECT_EQ(waveMax(false), 0);
    ASSERT_EQ(vbmp3_play(), 1);
    EXPECT_TRUE(waitUntil([] { return waveMax(false) >= 23 && waveMax(false) <= 27; }));
    EXPECT_TRUE(waitUntil([] { return engineState().code == VBMP3_STOPPED; }));
}

// A download cut short: the MP3's header promises six seconds, two remain.
// Playing and seeking past what is there end the track instead of hanging.
TEST_F(Playback, CutShortMp3EndsWhereItsAudioEnds) {
    Sound sound;
    sound.format = kMp3;
    sound.seconds = 6.0;
    sound.constantBitRate = true;
    writeSound(s_dir->file("whole.mp3"), sound);
    const std::string bytes = readBytes(s_dir->file("whole.mp3"));
    writeBytes(s_dir->file("cut.mp3"), bytes.substr(0, bytes.size() / 3));

    const Vbmp3TrackInfo info = open("cut.mp3");
    EXPECT_EQ(info.totalSec, 6);
    ASSERT_EQ(vbmp3_play(), 1);
    ASSERT_EQ(vbmp3_seek(4), 1);
    EXPECT_TRUE(waitUntil([] { return engineState().code == VBMP3_STOPPED; }));

    ASSERT_EQ(vbmp3_play(), 1);
    EXPECT_TRUE(waitUntil([] { return engineState().pos >= 1; }));
    EXPECT_TRUE(waitUntil([] { return engineState().code == VBMP3_STOPPED; }));
}
