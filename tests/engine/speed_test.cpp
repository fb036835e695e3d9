// Speed with the pitch kept: the contract of vbmp3_setSpeed, and what the
// output is handed at 50 % and 150 %: the same tone, for twice or two thirds
// as long, with positions in track time. The clock is the test's (the null
// output pulls only when told), so the figures are exact frame counts.
#include "engine_test_support.h"
#include "vbmp3.h"
#include "vbmp3_probe.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <vector>

using namespace enginetest;

namespace {

constexpr int kRate = 22050;

class Speed : public EngineTest {
protected:
    static void SetUpTestSuite() {
        s_dir = new TempDir();
        Sound sound;
        sound.sampleRate = kRate;
        sound.channels = 1;
        sound.seconds = 4.0;
        writeSound(s_dir->file("tone.wav"), sound);
        sound.format = kWavFloat;
        sound.frequency = 1.0; // a slow ramp: every frame distinct
        sound.amplitude[0] = 0.9;
        sound.seconds = 1.0;
        writeSound(s_dir->file("ramp.wav"), sound);
    }
    static void TearDownTestSuite() {
        delete s_dir;
        s_dir = nullptr;
    }

    void playByHand(const char* name, std::int32_t percent) {
        ASSERT_EQ(vbmp3probe_manualClock(1), 1);
        Vbmp3TrackInfo info{};
        ASSERT_NE(vbmp3_open(s_dir->file(name).c_str(), &info), 0);
        ASSERT_EQ(vbmp3_setSpeed(percent), 1);
        ASSERT_EQ(vbmp3_play(), 1);
        ASSERT_TRUE(waitUntil([] { return vbmp3_getOutputState() != VBMP3_OUTPUT_NONE; }));
    }

    static Vbmp3Probe probe() {
        Vbmp3Probe p{};
        vbmp3probe_read(&p);
        return p;
    }

    // Pulls until frameCount frames of sound have been handed out, or the
    // track stopped; returns that sound's left channel. Pulls that found the
    // decoder behind (part silence) keep only their sound.
    static std::vector<float> pullSound(std::int64_t frameCount) {
        std::vector<float> sound;
        std::vector<float> chunk(2 * 256);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (static_cast<std::int64_t>(sound.size()) < frameCount &&
               engineState().code != VBMP3_STOPPED && std::chrono::steady_clock::now() < deadline) {
            const std::int64_t before = probe().audioFramesOut;
            const auto want = static_cast<int>(
                std::min<std::int64_t>(256, frameCount - static_cast<std::int64_t>(sound.size())));
            if (vbmp3probe_pull(chunk.data(), want) != want)
                break;
            const std::int64_t got = probe().audioFramesOut - before;
            for (std::int64_t i = 0; i < got; ++i)
                sound.push_back(chunk[static_cast<std::size_t>(2 * i)]);
            if (got < want)
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return sound;
    }

    // Frequency by zero crossings, after the first tenth of a second.
    static double frequencyOf(const std::vector<float>& sound) {
        const std::size_t from = kRate / 10;
        int crossings = 0;
        for (std::size_t i = from + 1; i < sound.size(); ++i)
            crossings += (sound[i - 1] < 0.0f) != (sound[i] < 0.0f);
        return crossings / 2.0 / (double(sound.size() - from) / kRate);
    }

    static TempDir* s_dir;
};

TempDir* Speed::s_dir = nullptr;

} // namespace

TEST_F(Speed, RangeErrorAndLifetime) {
    EXPECT_EQ(vbmp3_getSpeed(), 100);
    for (std::int32_t bad : {49, 201, 0, -100, 1000}) {
        EXPECT_EQ(vbmp3_setSpeed(bad), 0) << bad;
        EXPECT_EQ(vbmp3_getLastErrorNo(), VBMP3_ERR_BAD_ARGUMENT) << bad;
        EXPECT_EQ(vbmp3_getSpeed(), 100) << bad;
    }
    for (std::int32_t good : {50, 200, 137}) {
        EXPECT_EQ(vbmp3_setSpeed(good), 1);
        EXPECT_EQ(vbmp3_getSpeed(), good);
    }
    // Kept across opens and plays, in every state.
    Vbmp3TrackInfo info{};
    ASSERT_NE(vbmp3_open(s_dir->file("tone.wav").c_str(), &info), 0);
    EXPECT_EQ(info.totalSec, 4) << "lengths stay in track time";
    ASSERT_EQ(vbmp3_play(), 1);
    EXPECT_EQ(vbmp3_getSpeed(), 137);
    ASSERT_EQ(vbmp3_pause(), 1);
    EXPECT_EQ(vbmp3_setSpeed(60), 1);
    ASSERT_NE(vbmp3_open(s_dir->file("tone.wav").c_str(), &info), 0);
    EXPECT_EQ(vbmp3_getSpeed(), 60);

    ASSERT_EQ(vbmp3_free(), 1);
    EXPECT_EQ(vbmp3_getSpeed(), 0);
    EXPECT_EQ(vbmp3_setSpeed(100), 0);
    ASSERT_EQ(vbmp3_init(), 1);
    EXPECT_EQ(vbmp3_getSpeed(), 100);
}

struct Stretch {
    std::int32_t percent;
};

void PrintTo(const Stretch& s, std::ostream* out) {
    *out << s.percent << " %";
}

class AtSpeed : public Speed, public ::testing::WithParamInterface<Stretch> {};

// The tone keeps its pitch; the output takes 100 / percent as long over the
// track, and the position follows the track, not the output.
TEST_P(AtSpeed, ToneKeepsItsPitchAndTheTrackItsTime) {
    const std::int32_t percent = GetParam().percent;
    playByHand("tone.wav", percent);
    // 1.6 s of track: position 1 at every speed.
    const std::int64_t outFrames = std::int64_t{16} * kRate * 10 / percent;
    const std::vector<float> first = pullSound(outFrames);
    ASSERT_EQ(static_cast<std::int64_t>(first.size()), outFrames);
    EXPECT_NEAR(frequencyOf(first), 1000.0, 10.0);
    EXPECT_EQ(engineState().pos, 1);
    EXPECT_EQ(engineState().code, VBMP3_PLAYING);

    // The rest of the 4 s track: 4 * 100 / percent seconds in all.
    const std::vector<float> rest = pullSound(std::int64_t{1} << 40);
    EXPECT_EQ(engineState().code, VBMP3_STOPPED);
    const double seconds = double(first.size() + rest.size()) / kRate;
    EXPECT_NEAR(seconds, 4.0 * 100 / percent, 0.05);
}

INSTANTIATE_TEST_SUITE_P(Speeds, AtSpeed, ::testing::Values(Stretch{50}, Stretch{150}),
                         [](const ::testing::TestParamInfo<Stretch>& param) {
                             return std::to_string(param.param.percent) + "percent";
                         });

// A change while playing goes on from the position heard, at the new speed.
TEST_F(Speed, ChangeWhilePlayingGoesOnFromThePositionHeard) {
    playByHand("tone.wav", 100);
    ASSERT_EQ(static_cast<int>(pullSound(kRate * 12 / 10).size()), kRate * 12 / 10);
    ASSERT_EQ(engineState().pos, 1);
    ASSERT_EQ(vbmp3_setSpeed(50), 1);
    EXPECT_EQ(engineState().pos, 1) << "the position stays where it was";
    // 1.2 s of output at 50 %: 0.6 s of track, to 1.8 s.
    const std::vector<float> slow = pullSound(kRate * 12 / 10);
    EXPECT_NEAR(frequencyOf(slow), 1000.0, 10.0);
    EXPECT_EQ(engineState().pos, 1);
    pullSound(kRate * 6 / 10); // to 2.1 s
    EXPECT_EQ(engineState().pos, 2);
}

// Back at 100 % after another speed, the sound is the track's, bit for bit.
TEST_F(Speed, NormalSpeedBypassesTheStretcher) {
    ASSERT_EQ(vbmp3_setSpeed(150), 1);
    playByHand("ramp.wav", 100);
    const std::vector<float> sound = pullSound(kRate);
    ASSERT_EQ(static_cast<int>(sound.size()), kRate);
    int mismatches = 0;
    for (int i = 0; i < kRate; ++i) {
        const auto expected =
            static_cast<float>(0.9 * std::sin(2.0 * std::numbers::pi * double(i) / double(kRate)));
        mismatches += std::fabs(sound[static_cast<std::size_t>(i)] - expected) > 1e-6f;
    }
    EXPECT_EQ(mismatches, 0);
}
