// Start, stop and misuse: calls out of order, repeated lifetimes, stray
// threads, and a machine without a sound device.
#include "engine_test_support.h"
#include "vbmp3.h"
#include "vbmp3_probe.h"

#include <array>
#include <atomic>
#include <cstdlib>
#include <gtest/gtest.h>
#include <thread>

using namespace enginetest;

namespace {

class Lifecycle : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_dir = new TempDir();
        Sound sound;
        sound.seconds = 2.0;
        writeSound(s_dir->file("tone.wav"), sound);
        sound.format = kMp3;
        sound.sampleRate = 22050;
        sound.channels = 1;
        writeSound(s_dir->file("tone.mp3"), sound);
    }
    static void TearDownTestSuite() {
        delete s_dir;
        s_dir = nullptr;
    }
    void TearDown() override { vbmp3_free(); }

    static std::string track(int i) { return s_dir->file(i % 2 ? "tone.mp3" : "tone.wav"); }

    static TempDir* s_dir;
};

TempDir* Lifecycle::s_dir = nullptr;

// Every call, with harmless arguments; true if all of them returned 0.
bool everyCallFails() {
    std::int32_t left = 0;
    std::int32_t right = 0;
    std::array<std::int32_t, 256> a{};
    std::array<std::int32_t, 256> b{};
    Vbmp3TrackInfo info{};
    std::int32_t pos = 5;
    a.fill(3);
    const bool failed =
        vbmp3_getWaveOutSupport() == 0 && vbmp3_getVolume(&left, &right) == 0 &&
        vbmp3_setVolume(50, 50) == 0 && vbmp3_setEqualizer(0) == 0 && vbmp3_setKaraokeUse(1) == 0 &&
        vbmp3_useAtMarkTag(1) == 0 && vbmp3_setLyricsNextAdjustTime(1000) == 0 &&
        vbmp3_open("/nonexistent", &info) == 0 && vbmp3_stop() == 0 && vbmp3_play() == 0 &&
        vbmp3_pause() == 0 && vbmp3_restart() == 0 && vbmp3_seek(3) == 0 &&
        vbmp3_getState(&pos) == 0 && vbmp3_getState(nullptr) == 0 &&
        vbmp3_getWave(a.data(), b.data()) == 0 && vbmp3_getSpectrum(a.data(), b.data()) == 0 &&
        vbmp3_getWave(nullptr, nullptr) == 0 && vbmp3_stopCallback() == 0 && vbmp3_free() == 0;
    return failed && pos == 0 && a[0] == 0 && a[255] == 0 &&
           vbmp3_getLastErrorNo() == VBMP3_ERR_NOT_INITIALISED;
}

} // namespace

TEST_F(Lifecycle, CallsBeforeInitAndAfterFreeFailCleanly) {
    EXPECT_TRUE(everyCallFails());
    ASSERT_EQ(vbmp3_init(), 1);
    ASSERT_EQ(vbmp3_free(), 1);
    EXPECT_TRUE(everyCallFails());
}

TEST_F(Lifecycle, SecondInitIsHarmless) {
    ASSERT_EQ(vbmp3_init(), 1);
    ASSERT_EQ(vbmp3_setVolume(40, 60), 1);
    EXPECT_EQ(vbmp3_init(), 1);
    std::int32_t left = 0;
    std::int32_t right = 0;
    ASSERT_EQ(vbmp3_getVolume(&left, &right), 1);
    EXPECT_EQ(left, 40); // the running engine was kept
    EXPECT_EQ(right, 60);
    EXPECT_EQ(vbmp3_free(), 1);
    EXPECT_EQ(vbmp3_free(), 0);
}

TEST_F(Lifecycle, InitAfterFreePlaysAgain) {
    for (int round = 0; round < 2; ++round) {
        ASSERT_EQ(vbmp3_init(), 1);
        Vbmp3TrackInfo info{};
        ASSERT_NE(vbmp3_open(track(0).c_str(), &info), 0);
        ASSERT_EQ(vbmp3_play(), 1);
        EXPECT_TRUE(waitUntil([] { return waveMax(false) >= 45; }));
        ASSERT_EQ(vbmp3_free(), 1);
    }
}

TEST_F(Lifecycle, NothingOpenRefusesPlaybackCalls) {
    ASSERT_EQ(vbmp3_init(), 1);
    EXPECT_EQ(vbmp3_play(), 0);
    EXPECT_EQ(vbmp3_getLastErrorNo(), VBMP3_ERR_NO_TRACK);
    EXPECT_EQ(vbmp3_pause(), 0);
    EXPECT_EQ(vbmp3_restart(), 0);
    EXPECT_EQ(vbmp3_seek(1), 0);
    EXPECT_EQ(vbmp3_stop(), 1); // the player stops before every open
    std::int32_t pos = 9;
    EXPECT_EQ(vbmp3_getState(&pos), VBMP3_STOPPED);
    EXPECT_EQ(pos, 0);
    EXPECT_EQ(waveMax(false), 0);
}

TEST_F(Lifecycle, VolumeStartsFullIsLimitedAndOptionsAreKept) {
    ASSERT_EQ(vbmp3_init(), 1);
    EXPECT_NE(vbmp3_getWaveOutSupport(), 0);
    std::int32_t left = 0;
    std::int32_t right = 0;
    ASSERT_EQ(vbmp3_getVolume(&left, &right), 1);
    EXPECT_EQ(left, 100);
    EXPECT_EQ(right, 100);
    ASSERT_EQ(vbmp3_setVolume(150, -3), 1);
    ASSERT_EQ(vbmp3_getVolume(&left, &right), 1);
    EXPECT_EQ(left, 100);
    EXPECT_EQ(right, 0);
    EXPECT_EQ(vbmp3_getVolume(nullptr, &right), 0);
    EXPECT_EQ(vbmp3_getLastErrorNo(), VBMP3_ERR_BAD_ARGUMENT);

    ASSERT_EQ(vbmp3_setVolume(100, 100), 1);
    EXPECT_EQ(vbmp3_setEqualizer(0), 1); // accepted, and change no sound
    EXPECT_EQ(vbmp3_setKaraokeUse(1), 1);
    EXPECT_EQ(vbmp3_useAtMarkTag(1), 1);
    EXPECT_EQ(vbmp3_setLyricsNextAdjustTime(1000), 1);
    Vbmp3TrackInfo info{};
    ASSERT_NE(vbmp3_open(track(0).c_str(), &info), 0);
    ASSERT_EQ(vbmp3_play(), 1);
    EXPECT_TRUE(waitUntil([] { return waveMax(false) == 50; }));
}

// mpv's lifetime test: whole lives of the engine in a loop, with the exits
// the program takes and the ones it might take by accident.
TEST_F(Lifecycle, ManyLifetimes) {
    const int threadsBefore = threadCount();
    for (int i = 0; i < 30; ++i) {
        ASSERT_EQ(vbmp3_init(), 1) << i;
        Vbmp3TrackInfo info{};
        ASSERT_NE(vbmp3_open(track(i).c_str(), &info), 0) << i;
        ASSERT_EQ(vbmp3_play(), 1);
        if (i % 3 == 0) {
            waitUntil([] {
                Vbmp3Probe probe{};
                return vbmp3probe_read(&probe) && probe.heardGeneration == probe.generation;
            });
        }
        ASSERT_EQ(vbmp3_seek(1), 1);
        if (i % 4 == 1) {
            ASSERT_EQ(vbmp3_pause(), 1);
        }
        if (i % 5 != 4) { // sometimes freed while still playing
            ASSERT_EQ(vbmp3_stop(), 1);
            ASSERT_EQ(vbmp3_stopCallback(), 1);
        }
        ASSERT_EQ(vbmp3_free(), 1);
        EXPECT_EQ(threadCount(), threadsBefore) << "a thread outlived vbmp3_free, round " << i;
    }
}

TEST_F(Lifecycle, StopCallbackThenPlayReopensTheDevice) {
    ASSERT_EQ(vbmp3_init(), 1);
    Vbmp3TrackInfo info{};
    ASSERT_NE(vbmp3_open(track(0).c_str(), &info), 0);
    ASSERT_EQ(vbmp3_play(), 1);
    ASSERT_EQ(vbmp3_stopCallback(), 1);
    EXPECT_EQ(engineState().code, VBMP3_STOPPED);
    Vbmp3Probe before{};
    ASSERT_EQ(vbmp3probe_read(&before), 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    Vbmp3Probe after{};
    ASSERT_EQ(vbmp3probe_read(&after), 1);
    EXPECT_EQ(after.framesOut, before.framesOut) << "no callback runs after vbmp3_stopCallback";
    ASSERT_EQ(vbmp3_play(), 1);
    EXPECT_TRUE(waitUntil([] { return waveMax(false) >= 45; }));
}

// Calls from a second thread while the first starts and frees engines must
// neither crash nor reach a freed engine.
TEST_F(Lifecycle, CallsFromAnotherThreadDuringInitAndFree) {
    std::atomic<bool> done{false};
    std::thread poller([&] {
        std::array<std::int32_t, 256> a{};
        std::array<std::int32_t, 256> b{};
        while (!done.load()) {
            std::int32_t pos = 0;
            vbmp3_getState(&pos);
            vbmp3_getWave(a.data(), b.data());
            vbmp3_getSpectrum(a.data(), b.data());
            vbmp3_seek(1);
        }
    });
    for (int i = 0; i < 10; ++i) {
        ASSERT_EQ(vbmp3_init(), 1);
        Vbmp3TrackInfo info{};
        ASSERT_NE(vbmp3_open(track(i).c_str(), &info), 0);
        ASSERT_EQ(vbmp3_play(), 1);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        ASSERT_EQ(vbmp3_free(), 1);
    }
    done = true;
    poller.join();
}

// With no usable sound device the engine plays silently, in real time.
TEST_F(Lifecycle, PlaysWithoutASoundDevice) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    ASSERT_EQ(vbmp3_init(), 1);
    Vbmp3TrackInfo info{};
    ASSERT_NE(vbmp3_open(track(0).c_str(), &info), 0);
    ASSERT_EQ(vbmp3_play(), 1);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(waitUntil([] { return engineState().pos >= 1; }));
    EXPECT_GT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(800));
    EXPECT_TRUE(waitUntil([] { return engineState().code == VBMP3_STOPPED; }));
    ASSERT_EQ(vbmp3_free(), 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
}
