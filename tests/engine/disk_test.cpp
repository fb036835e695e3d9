// What actually reaches the sound device, captured with SDL's disk driver,
// which writes every frame it is handed (stereo float at the track's rate).
#include "engine_test_support.h"
#include "vbmp3.h"
#include "vbmp3_probe.h"

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
        startPlaying(sound, volumeLeft, volumeRight);
        EXPECT_TRUE(waitUntil([] { return engineState().code == VBMP3_STOPPED; }));
        return finish();
    }

    void startPlaying(const Sound& sound, int volumeLeft, int volumeRight) {
        const std::string path = m_dir.file("track");
        writeSound(path, sound);
        EXPECT_EQ(vbmp3_init(), 1);
        EXPECT_EQ(vbmp3_setVolume(volumeLeft, volumeRight), 1);
        Vbmp3TrackInfo info{};
        EXPECT_NE(vbmp3_open(path.c_str(), &info), 0);
        EXPECT_EQ(vbmp3_play(), 1);
    }

    // Releases the engine and returns what the device was handed.
    Captured finish() {
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

namespace {

struct JumpCase {
    int sampleRate;
    int channels;
    int format;
    const char* name;
};

// Runs of silence of at least minFrames between the first and the last sound.
std::vector<std::size_t> silencesWithin(const Captured& out, std::size_t minFrames) {
    auto silent = [&](std::size_t i) {
        return std::fabs(out.left[i]) < 1e-3f && std::fabs(out.right[i]) < 1e-3f;
    };
    std::size_t first = 0;
    std::size_t end = out.left.size();
    while (first < end && silent(first))
        ++first;
    while (end > first && silent(end - 1))
        --end;
    std::vector<std::size_t> runs;
    std::size_t run = 0;
    for (std::size_t i = first; i <= end; ++i) {
        if (i < end && silent(i)) {
            ++run;
            continue;
        }
        if (run >= minFrames)
            runs.push_back(run);
        run = 0;
    }
    return runs;
}

// Until the position sought last has been heard for playedFrames and
// aheadFrames more of it are decoded.
bool playedAndAhead(std::int64_t playedFrames, std::int64_t aheadFrames) {
    Vbmp3Probe start{};
    vbmp3probe_read(&start);
    return waitUntil([&] {
        Vbmp3Probe probe{};
        return vbmp3probe_read(&probe) && probe.heardGeneration == probe.generation &&
               probe.audioFramesOut - start.audioFramesOut >= playedFrames &&
               probe.aheadFrames >= aheadFrames;
    });
}

class JumpsWhilePlaying : public DiskOutput, public ::testing::WithParamInterface<JumpCase> {};

} // namespace

// A tone that never pauses, with jumps back and forth while it plays: what the
// device is handed has no silence of 2 ms or more anywhere. Each jump waits
// until half a second is decoded ahead, so only the jump itself could leave one.
TEST_P(JumpsWhilePlaying, LeaveNoSilence) {
    const JumpCase& c = GetParam();
    Sound sound;
    sound.sampleRate = c.sampleRate;
    sound.channels = c.channels;
    sound.format = c.format;
    sound.frequency = 440.0;
    sound.seconds = 10.0;
    startPlaying(sound, 100, 100);
    for (int jump = 0; jump < 8; ++jump) {
        ASSERT_TRUE(playedAndAhead(c.sampleRate / 5, c.sampleRate / 2)) << "jump " << jump;
        ASSERT_EQ(vbmp3_seek(jump % 2 == 0 ? 6 : 2), 1); // ahead, then 4 s or more back
    }
    ASSERT_TRUE(playedAndAhead(c.sampleRate / 5, c.sampleRate / 2));
    ASSERT_EQ(vbmp3_stop(), 1);
    const Captured out = finish();
    ASSERT_GE(out.left.size(), static_cast<std::size_t>(c.sampleRate));
    const std::vector<std::size_t> silences =
        silencesWithin(out, static_cast<std::size_t>(c.sampleRate / 500));
    EXPECT_TRUE(silences.empty()) << silences.size() << " silences, the first "
                                  << (silences.empty() ? 0 : silences[0]) << " frames";
}

INSTANTIATE_TEST_SUITE_P(RatesAndChannels, JumpsWhilePlaying,
                         ::testing::Values(JumpCase{8000, 1, kMp3, "mp3_8000_mono"},
                                           JumpCase{22050, 2, kWav16, "wav_22050_stereo"},
                                           JumpCase{44100, 2, kMp3, "mp3_44100_stereo"},
                                           JumpCase{48000, 1, kMp3, "mp3_48000_mono"},
                                           JumpCase{96000, 1, kWav16, "wav_96000_mono"}),
                         [](const ::testing::TestParamInfo<JumpCase>& param) {
                             return std::string(param.param.name);
                         });
