// What actually reaches the sound device, captured with SDL's disk driver,
// which writes every frame it is handed (stereo float at the track's rate).
#include "engine_test_support.h"
#include "vbmp3.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <numbers>
#include <vector>

using namespace enginetest;

namespace {

struct Captured {
    std::vector<float> left;
    std::vector<float> right;

    static float peak(const std::vector<float>& samples) {
        float top = 0.0f;
        for (float v : samples)
            top = std::max(top, std::fabs(v));
        return top;
    }
};

class DiskOutput : public ::testing::Test {
protected:
    void SetUp() override {
        m_capture = m_dir.file("device.raw");
        // Read by SDL when the engine starts its audio; restored for the next test.
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", m_capture.c_str(), 1);
    }
    void TearDown() override {
        vbmp3_free();
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        unsetenv("SDL_DISKAUDIOFILE");
    }

    // Plays the sound to its end at the given volume and returns what the
    // device was handed.
    Captured playThrough(const Sound& sound, int volumeLeft, int volumeRight) {
        const std::string path = m_dir.file("track.wav");
        writeSound(path, sound);
        EXPECT_EQ(vbmp3_init(), 1);
        EXPECT_EQ(vbmp3_setVolume(volumeLeft, volumeRight), 1);
        Vbmp3TrackInfo info{};
        EXPECT_NE(vbmp3_open(path.c_str(), &info), 0);
        EXPECT_EQ(vbmp3_play(), 1);
        EXPECT_TRUE(waitUntil([] { return engineState().code == VBMP3_STOPPED; }));
        EXPECT_EQ(vbmp3_stopCallback(), 1);
        EXPECT_EQ(vbmp3_free(), 1); // closes the capture file

        const std::string bytes = readBytes(m_capture);
        Captured captured;
        const std::size_t frames = bytes.size() / (2 * sizeof(float));
        captured.left.resize(frames);
        captured.right.resize(frames);
        for (std::size_t i = 0; i < frames; ++i) {
            std::memcpy(&captured.left[i], bytes.data() + 8 * i, 4);
            std::memcpy(&captured.right[i], bytes.data() + 8 * i + 4, 4);
        }
        return captured;
    }

    TempDir m_dir;
    std::string m_capture;
};

} // namespace

TEST_F(DiskOutput, VolumeScalesEachChannelAndZeroIsSilent) {
    Sound sound;
    sound.seconds = 1.0;
    sound.amplitude[0] = sound.amplitude[1] = 0.8;
    sound.format = kWavFloat;
    const Captured out = playThrough(sound, 30, 0);
    ASSERT_GE(out.left.size(), 44100u);
    EXPECT_NEAR(Captured::peak(out.left), 0.8f * 0.30f, 0.005f);
    EXPECT_EQ(Captured::peak(out.right), 0.0f);
}

TEST_F(DiskOutput, EveryFrameOfTheTrackReachesTheDeviceOnce) {
    // A ramp makes every frame distinct, so a lost or doubled block shows.
    Sound sound;
    sound.sampleRate = 8000;
    sound.channels = 1;
    sound.seconds = 1.0;
    sound.frequency = 1.0; // one slow cycle over the second
    sound.amplitude[0] = 0.9;
    sound.format = kWavFloat;
    const Captured out = playThrough(sound, 100, 100);
    const auto first =
        std::find_if(out.left.begin(), out.left.end(), [](float v) { return v != 0; });
    ASSERT_NE(first, out.left.end());
    const auto start = static_cast<std::size_t>(first - out.left.begin()) - 1; // sin(0) is 0
    ASSERT_GE(out.left.size(), start + 8000);
    int mismatches = 0;
    for (std::size_t i = 0; i < 8000; ++i) {
        const float expected =
            static_cast<float>(0.9 * std::sin(2.0 * std::numbers::pi * double(i) / 8000.0));
        mismatches += std::fabs(out.left[start + i] - expected) > 1e-4f;
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(out.left, out.right); // mono on both sides
    // After the track, only silence.
    EXPECT_EQ(
        Captured::peak(std::vector<float>(out.left.begin() + long(start) + 8000, out.left.end())),
        0.0f);
}
