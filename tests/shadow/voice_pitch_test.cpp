#include "test_signals.h"
#include "voice_pitch.h"

#include <gtest/gtest.h>

namespace {

using hearvex::shadow::kPitchHopMs;
using hearvex::shadow::trackPitch;
using hearvex::testing::makeSignal;
using hearvex::testing::Piece;

// The semitones at a time, from the frames around it that are voiced.
float semitonesAt(const std::vector<float>& curve, double seconds) {
    const auto at = size_t(seconds * 1000 / kPitchHopMs);
    for (size_t i = at; i < at + 5 && i < curve.size(); ++i)
        if (!std::isnan(curve[i]))
            return curve[i];
    return NAN;
}

struct PitchCase {
    double lowHz, highHz; // a low stretch, then a high one of the same length
    double semitonesApart;
};

class VoicePitchTest : public testing::TestWithParam<PitchCase> {};

TEST_P(VoicePitchTest, SemitonesAroundTheSpeakersMedian) {
    const PitchCase& c = GetParam();
    // The low stretch is a little longer, so the median is the low pitch.
    const auto samples = makeSignal({{Piece::Silence, 0.3},
                                     {Piece::Voice, 0.6, -20, c.lowHz},
                                     {Piece::Voice, 0.5, -20, c.highHz},
                                     {Piece::Silence, 0.3}});
    const auto curve = trackPitch(samples, 16000);
    EXPECT_NEAR(curve.medianHz, c.lowHz, c.lowHz * 0.02);
    EXPECT_NEAR(semitonesAt(curve.semitones, 0.6), 0, 0.3);
    EXPECT_NEAR(semitonesAt(curve.semitones, 1.2), c.semitonesApart, 0.3);
    EXPECT_TRUE(std::isnan(semitonesAt(curve.semitones, 0.1))); // silence is unvoiced
    EXPECT_NEAR(double(curve.semitones.size()), 1.7 * 1000 / kPitchHopMs, 2);
}

INSTANTIATE_TEST_SUITE_P(Voices, VoicePitchTest,
                         testing::Values(PitchCase{110, 165, 7.02},  // a man's fifth up
                                         PitchCase{220, 196, -2.0},  // a woman's falling tone
                                         PitchCase{150, 300, 12.0}), // an octave
                         [](const auto& param) { return "case" + std::to_string(param.index); });

TEST(VoicePitch, NoiseAndSilenceHaveNoPitch) {
    for (const auto& samples :
         {makeSignal({{Piece::Silence, 1.0}}), makeSignal({{Piece::Noise, 1.0, -50}}),
          makeSignal({{Piece::Noise, 1.0, -25}}), std::vector<float>{}}) {
        const auto curve = trackPitch(samples, 16000);
        EXPECT_EQ(curve.medianHz, 0);
        for (const float s : curve.semitones)
            EXPECT_TRUE(std::isnan(s));
    }
}

} // namespace
