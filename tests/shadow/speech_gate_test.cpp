#include "speech_gate.h"
#include "test_signals.h"

#include <gtest/gtest.h>

namespace {

using hearvex::shadow::GateSettings;
using hearvex::shadow::GateState;
using hearvex::shadow::SpeechGate;
using hearvex::testing::makeSignal;
using hearvex::testing::Piece;

struct GateCase {
    const char* name;
    std::vector<Piece> pieces;
    double maxSeconds;
    GateState expected;
    double stopAt; // seconds, where it must have stopped (within 0.1 s); 0: not stopped
};

GateState feedInBlocks(SpeechGate& gate, const std::vector<float>& samples, size_t block) {
    for (size_t at = 0; at < samples.size() && !gate.stopped(); at += block) {
        const size_t n = std::min(block, samples.size() - at);
        gate.feed(std::span<const float>(samples.data() + at, n));
    }
    return gate.state();
}

class SpeechGateTest : public testing::TestWithParam<GateCase> {};

TEST_P(SpeechGateTest, StopsWhereTheTakeEnds) {
    const GateCase& c = GetParam();
    GateSettings settings;
    settings.maxSeconds = c.maxSeconds;
    // Odd block sizes, as a sound device hands them over.
    for (const size_t block : {size_t(173), size_t(1024), size_t(4096)}) {
        SpeechGate gate(settings);
        EXPECT_EQ(feedInBlocks(gate, makeSignal(c.pieces), block), c.expected) << c.name;
        if (c.stopAt > 0) {
            EXPECT_NEAR(gate.seconds(), c.stopAt, 0.1) << c.name << " block " << block;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Takes, SpeechGateTest,
    testing::Values(
        GateCase{"speech then silence",
                 {{Piece::Silence, 0.5}, {Piece::Voice, 2.0}, {Piece::Silence, 3.0}},
                 10,
                 GateState::Silent,
                 4.0},
        GateCase{"speech in a noisy room, then the room again",
                 {{Piece::Noise, 1.0, -45}, {Piece::Voice, 2.0, -15}, {Piece::Noise, 3.0, -45}},
                 10,
                 GateState::Silent,
                 4.5},
        GateCase{"a short pause inside speech does not stop it",
                 {{Piece::Voice, 1.0}, {Piece::Silence, 1.0}, {Piece::Voice, 1.0}},
                 10,
                 GateState::Speaking,
                 0},
        GateCase{"no speech at all runs to the limit",
                 {{Piece::Noise, 6.0, -60}},
                 4,
                 GateState::AtLimit,
                 4.0},
        GateCase{"speech that never pauses runs to the limit",
                 {{Piece::Voice, 6.0}},
                 3,
                 GateState::AtLimit,
                 3.0},
        GateCase{
            "a muted input sends only zeros", {{Piece::Silence, 5.0}}, 10, GateState::Muted, 2.0},
        GateCase{"a click is not speech",
                 {{Piece::Silence, 0.5}, {Piece::Voice, 0.04, -6}, {Piece::Noise, 3.0, -70}},
                 10,
                 GateState::Waiting,
                 0}),
    [](const auto& param) { return "case" + std::to_string(param.index); });

TEST(SpeechGate, LevelFollowsTheLastBlock) {
    SpeechGate gate(GateSettings{});
    gate.feed(makeSignal({{Piece::Noise, 0.1, -30}}));
    EXPECT_NEAR(gate.levelDb(), -30, 2);
    gate.feed(makeSignal({{Piece::Silence, 0.1}}));
    EXPECT_LE(gate.levelDb(), -90);
}

TEST(SpeechGate, TakesNothingMoreOnceStopped) {
    GateSettings settings;
    settings.maxSeconds = 1;
    SpeechGate gate(settings);
    gate.feed(makeSignal({{Piece::Voice, 2.0}}));
    EXPECT_EQ(gate.state(), GateState::AtLimit);
    gate.feed(makeSignal({{Piece::Voice, 2.0}}));
    EXPECT_NEAR(gate.seconds(), 1.0, 0.02);
}

} // namespace
