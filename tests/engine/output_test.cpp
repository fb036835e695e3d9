// Where the sound goes: a sound device (here a stand-in the test controls),
// silent play when there is none, the way back to a device, a device lost
// while playing; and a jump back that must keep the output fed.
#include "engine_test_support.h"
#include "vbmp3.h"
#include "vbmp3_probe.h"

#include <gtest/gtest.h>
#include <vector>

using namespace enginetest;

namespace {

class Outputs : public EngineTest {
protected:
    static void SetUpTestSuite() {
        s_dir = new TempDir();
        Sound sound;
        sound.seconds = 3.0;
        sound.signal = Signal::Stepped;
        writeSound(s_dir->file("stepped.wav"), sound);
    }
    static void TearDownTestSuite() {
        delete s_dir;
        s_dir = nullptr;
    }

    static bool openTrack(const std::string& path = s_dir->file("stepped.wav")) {
        Vbmp3TrackInfo info{};
        return vbmp3_open(path.c_str(), &info) != 0;
    }
    static bool outputBecomes(std::int32_t state) {
        return waitUntil([&] { return vbmp3_getOutputState() == state; });
    }

    static TempDir* s_dir;
};

TempDir* Outputs::s_dir = nullptr;

} // namespace

TEST_F(Outputs, NoneBeforeInitAndBeforeTheFirstTrack) {
    EXPECT_EQ(vbmp3_getOutputState(), VBMP3_OUTPUT_NONE);
    vbmp3_free();
    EXPECT_EQ(vbmp3_getOutputState(), VBMP3_OUTPUT_NONE);
    ASSERT_EQ(vbmp3_init(), 1);
    EXPECT_EQ(vbmp3_getOutputState(), VBMP3_OUTPUT_NONE);
}

// The tests run with SDL's dummy driver, which counts as no device.
TEST_F(Outputs, DummyDriverPlaysSilentlyThroughTheNullOutput) {
    ASSERT_TRUE(openTrack());
    EXPECT_TRUE(outputBecomes(VBMP3_OUTPUT_SILENT));
    ASSERT_EQ(vbmp3_play(), 1);
    EXPECT_TRUE(waitUntil([] { return engineState().pos >= 1; }));
    ASSERT_EQ(vbmp3_stopCallback(), 1);
    EXPECT_EQ(vbmp3_getOutputState(), VBMP3_OUTPUT_NONE);
}

// A device that refused once is tried again by the next open.
TEST_F(Outputs, FallbackToSilenceAndBackToTheDeviceOnTheNextOpen) {
    ASSERT_EQ(vbmp3probe_fakeDevice(1, 1), 1);
    ASSERT_TRUE(openTrack());
    ASSERT_TRUE(outputBecomes(VBMP3_OUTPUT_SILENT));
    ASSERT_EQ(vbmp3_play(), 1);
    EXPECT_TRUE(waitUntil([] { return engineState().pos >= 1; })) << "silent play moves on";

    ASSERT_EQ(vbmp3probe_fakeDevice(1, 0), 1);
    ASSERT_TRUE(openTrack());
    EXPECT_TRUE(outputBecomes(VBMP3_OUTPUT_DEVICE));
    ASSERT_EQ(vbmp3_play(), 1);
    EXPECT_TRUE(waitUntil([] { return engineState().pos >= 1; }));
}

TEST_F(Outputs, DeviceLostWhilePlayingGoesOnSilentlyFromTheSamePoint) {
    ASSERT_EQ(vbmp3probe_fakeDevice(1, 0), 1);
    ASSERT_TRUE(openTrack());
    ASSERT_EQ(vbmp3_play(), 1);
    ASSERT_TRUE(outputBecomes(VBMP3_OUTPUT_DEVICE));
    ASSERT_TRUE(waitUntil([] { return engineState().pos >= 1; }));
    Vbmp3Probe before{};
    ASSERT_EQ(vbmp3probe_read(&before), 1);
    ASSERT_EQ(vbmp3probe_loseDevice(), 1);
    ASSERT_TRUE(outputBecomes(VBMP3_OUTPUT_SILENT));
    const State s = engineState();
    EXPECT_EQ(s.code, VBMP3_PLAYING);
    EXPECT_GE(s.pos, 1) << "the position did not move back";
    Vbmp3Probe after{};
    ASSERT_EQ(vbmp3probe_read(&after), 1);
    EXPECT_EQ(after.generation, before.generation) << "no seek, no restart";
    EXPECT_TRUE(waitUntil([] { return engineState().pos >= 2; }));
    EXPECT_TRUE(waitUntil([] { return engineState().code == VBMP3_STOPPED; }))
        << "plays to the end";
    Vbmp3Probe end{};
    ASSERT_EQ(vbmp3probe_read(&end), 1);
    EXPECT_EQ(end.underruns, 0);
}

// Not even silent play: the track must not sit at "playing, 0" for ever.
TEST_F(Outputs, NoOutputAtAllStopsTheTrackAndTheNextOpenRecovers) {
    ASSERT_EQ(vbmp3probe_fakeDevice(1, 1), 1);
    ASSERT_EQ(vbmp3probe_nullRefuses(1), 1);
    ASSERT_TRUE(openTrack());
    const std::int32_t played = vbmp3_play();
    if (played == 0) {
        EXPECT_EQ(vbmp3_getLastErrorNo(), VBMP3_ERR_NO_OUTPUT);
    }
    EXPECT_TRUE(waitUntil([] { return engineState().code == VBMP3_STOPPED; }));
    EXPECT_EQ(vbmp3_play(), 0);
    EXPECT_EQ(vbmp3_getLastErrorNo(), VBMP3_ERR_NO_OUTPUT);
    EXPECT_EQ(vbmp3_getOutputState(), VBMP3_OUTPUT_NONE);

    // Play straight after the open: the earlier failure does not refuse it.
    ASSERT_EQ(vbmp3probe_nullRefuses(0), 1);
    ASSERT_TRUE(openTrack());
    ASSERT_EQ(vbmp3_play(), 1);
    EXPECT_TRUE(outputBecomes(VBMP3_OUTPUT_SILENT));
    EXPECT_TRUE(waitUntil([] { return engineState().pos >= 1; }));
}

// Play straight after open, many times over and across sample rates (each
// reopens the output): every one plays.
TEST_F(Outputs, PlayRightAfterOpenAlwaysPlays) {
    for (int rate : {8000, 44100, 22050, 48000}) {
        Sound sound;
        sound.sampleRate = rate;
        sound.seconds = 1.2;
        const std::string path = s_dir->file("rate" + std::to_string(rate) + ".wav");
        writeSound(path, sound);
        for (int i = 0; i < 3; ++i) {
            ASSERT_TRUE(openTrack(path));
            ASSERT_EQ(vbmp3_play(), 1) << rate;
            EXPECT_TRUE(waitUntil([] { return waveMax(false) >= 45; })) << rate;
        }
    }
}

// The decoder has a second of the new position ready after a jump back at
// once, although the blocks from before the jump still sit unplayed in the
// ring (the clock is the test's: nothing is consumed unless pulled).
struct JumpRate {
    int sampleRate;
};

class JumpBack : public Outputs, public ::testing::WithParamInterface<JumpRate> {};

TEST_P(JumpBack, NewPositionIsDecodedASecondAhead) {
    const int rate = GetParam().sampleRate;
    Sound sound;
    sound.sampleRate = rate;
    sound.seconds = 12.0;
    const std::string path = s_dir->file("jump.wav");
    writeSound(path, sound);
    ASSERT_EQ(vbmp3probe_manualClock(1), 1);
    ASSERT_TRUE(openTrack(path));
    ASSERT_EQ(vbmp3_play(), 1);
    ASSERT_EQ(vbmp3_seek(8), 1);
    auto aheadAtLeast = [](std::int64_t frames) {
        return waitUntil([&] {
            Vbmp3Probe probe{};
            return vbmp3probe_read(&probe) && probe.aheadFrames >= frames;
        });
    };
    ASSERT_TRUE(aheadAtLeast(rate * 9 / 10));
    std::vector<float> out(2 * 4096);
    for (int jump = 0; jump < 5; ++jump) {
        // A period played: the output drops what is left from before the jump.
        ASSERT_EQ(vbmp3probe_pull(out.data(), 256), 256);
        ASSERT_EQ(vbmp3_seek(7 - jump), 1);
        EXPECT_TRUE(aheadAtLeast(rate * 9 / 10)) << "jump " << jump;
    }
    Vbmp3Probe probe{};
    ASSERT_EQ(vbmp3probe_read(&probe), 1);
    EXPECT_EQ(probe.underruns, 0);
}

INSTANTIATE_TEST_SUITE_P(Rates, JumpBack,
                         ::testing::Values(JumpRate{8000}, JumpRate{44100}, JumpRate{96000}),
                         [](const ::testing::TestParamInfo<JumpRate>& param) {
                             return std::to_string(param.param.sampleRate) + "Hz";
                         });

// With the test's clock, the position is exactly the track frames pulled.
TEST_F(Outputs, ManualClockPositionFollowsTheFramesPulled) {
    ASSERT_EQ(vbmp3probe_manualClock(1), 1);
    ASSERT_TRUE(openTrack());
    ASSERT_EQ(vbmp3_play(), 1);
    ASSERT_TRUE(waitUntil([] {
        Vbmp3Probe probe{};
        return vbmp3probe_read(&probe) && probe.aheadFrames >= 44100;
    }));
    std::vector<float> out(2 * (44100 + 22050));
    ASSERT_EQ(vbmp3probe_pull(out.data(), 44100 + 22050), 44100 + 22050);
    EXPECT_EQ(engineState().pos, 1);
    EXPECT_EQ(engineState().code, VBMP3_PLAYING);
}
