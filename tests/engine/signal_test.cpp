// What vbmp3_getWave and vbmp3_getSpectrum hand out while known signals play.
#include "engine_test_support.h"
#include "vbmp3.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <gtest/gtest.h>

using namespace enginetest;

namespace {

class Signals : public EngineTest {
protected:
    void play(const Sound& sound) {
        const std::string path = m_dir.file("signal");
        writeSound(path, sound);
        Vbmp3TrackInfo info{};
        ASSERT_NE(vbmp3_open(path.c_str(), &info), 0);
        ASSERT_EQ(vbmp3_play(), 1);
    }

    TempDir m_dir;
};

using Levels = std::array<std::int32_t, 256>;

void readWave(Levels& left, Levels& right) {
    vbmp3_getWave(left.data(), right.data());
}

// 1 kHz sits in the middle of bin 16 at 32 kHz.
Sound kiloHertzAt32k() {
    Sound sound;
    sound.sampleRate = 32000;
    sound.format = kWavFloat;
    sound.seconds = 3.0;
    return sound;
}

} // namespace

TEST_F(Signals, SpectrumPeakOfAFullScaleToneOnTheRight) {
    Sound sound = kiloHertzAt32k();
    sound.amplitude[0] = 0.0;
    sound.amplitude[1] = 1.0;
    play(sound);
    ASSERT_TRUE(waitUntil([] { return spectrumPeak(true).level >= 100; }));
    Levels left{};
    Levels right{};
    EXPECT_EQ(vbmp3_getSpectrum(left.data(), right.data()), 1);
    const auto top = std::max_element(right.begin(), right.end());
    EXPECT_EQ(top - right.begin(), 16);
    EXPECT_GE(*top, 109);
    EXPECT_LE(*top, 111);
    // The window keeps the tone to its neighbourhood.
    EXPECT_LT(right[40], 40);
    EXPECT_LT(right[200], 40);
    for (std::int32_t level : left)
        ASSERT_EQ(level, 0) << "the left channel is silent";
}

TEST_F(Signals, WaveOfAFullScaleToneReaches100) {
    Sound sound = kiloHertzAt32k();
    sound.amplitude[0] = sound.amplitude[1] = 1.0;
    play(sound);
    ASSERT_TRUE(waitUntil([] { return waveMax(false) >= 99; }));
    Levels left{};
    Levels right{};
    EXPECT_EQ(vbmp3_getWave(left.data(), right.data()), 1);
    EXPECT_EQ(*std::max_element(left.begin(), left.end()), 100);
    EXPECT_EQ(*std::min_element(left.begin(), left.end()), -100);
    EXPECT_EQ(*std::max_element(right.begin(), right.end()), 100);
    // 256 frames of 1 kHz at 32 kHz: eight whole cycles, 16 zero crossings.
    int crossings = 0;
    for (std::size_t i = 1; i < left.size(); ++i)
        crossings += (left[i - 1] < 0) != (left[i] < 0);
    EXPECT_NEAR(crossings, 16, 1);
}

TEST_F(Signals, EachChannelStaysOnItsSideAndMonoPlaysOnBoth) {
    Sound sound;
    sound.amplitude[0] = 0.8;
    sound.amplitude[1] = 0.0;
    play(sound);
    ASSERT_TRUE(waitUntil([] { return waveMax(false) >= 78; }));
    EXPECT_EQ(waveMax(true), 0);

    sound.amplitude[0] = 0.0;
    sound.amplitude[1] = 0.8;
    play(sound);
    ASSERT_TRUE(waitUntil([] { return waveMax(true) >= 78 && waveMax(false) == 0; }));

    sound.channels = 1;
    sound.amplitude[0] = 0.6;
    play(sound);
    ASSERT_TRUE(waitUntil([] { return waveMax(false) >= 58; }));
    Levels left{};
    Levels right{};
    readWave(left, right);
    EXPECT_EQ(left, right);
}

TEST_F(Signals, WaveFollowsTheVolumeOfEachChannel) {
    Sound sound;
    sound.amplitude[0] = sound.amplitude[1] = 1.0;
    sound.format = kWavFloat;
    sound.seconds = 4.0;
    play(sound);
    ASSERT_TRUE(waitUntil([] { return waveMax(false) >= 99; }));
    ASSERT_EQ(vbmp3_setVolume(50, 0), 1);
    EXPECT_TRUE(waitUntil([] { return waveMax(false) == 50 && waveMax(true) == 0; }))
        << waveMax(false) << " " << waveMax(true);
    ASSERT_EQ(vbmp3_setVolume(0, 25), 1);
    EXPECT_TRUE(waitUntil([] { return waveMax(false) == 0 && waveMax(true) == 25; }));
    // A silent channel has no spectrum either.
    EXPECT_EQ(spectrumPeak(false).level, 0);
}

TEST_F(Signals, SilencePausingAndStoppingGiveZeros) {
    Sound sound;
    sound.signal = Signal::Silence;
    play(sound);
    ASSERT_TRUE(waitUntil([] { return engineState().pos >= 1; }));
    EXPECT_EQ(waveMax(false), 0);
    EXPECT_EQ(spectrumPeak(false).level, 0);

    sound.signal = Signal::Sine;
    play(sound);
    ASSERT_TRUE(waitUntil([] { return waveMax(false) >= 45; }));
    ASSERT_EQ(vbmp3_pause(), 1);
    Levels left{};
    Levels right{};
    left.fill(7);
    EXPECT_EQ(vbmp3_getWave(left.data(), right.data()), 0);
    EXPECT_EQ(*std::max_element(left.begin(), left.end()), 0);
    left.fill(7);
    EXPECT_EQ(vbmp3_getSpectrum(left.data(), right.data()), 0);
    EXPECT_EQ(*std::max_element(left.begin(), left.end()), 0);

    ASSERT_EQ(vbmp3_restart(), 1);
    ASSERT_TRUE(waitUntil([] { return waveMax(false) >= 45; }));
    ASSERT_EQ(vbmp3_stop(), 1);
    EXPECT_EQ(waveMax(false), 0);
    EXPECT_EQ(spectrumPeak(true).level, 0);
}
