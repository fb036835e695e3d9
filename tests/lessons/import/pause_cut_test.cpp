// Where clips are cut: the spans an edge is looked for in, and the quietest
// point of synthetic signals with pauses, dips and noise of known place.
#include "pause_cut.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <vector>

using namespace hearvex::lessons;

namespace {

constexpr int kRate = 16000;

// Speech-like noise at `level`, with quieter stretches (from, to, level) in seconds.
struct Quiet {
    double from, to, level;
};

std::vector<float> noise(double seconds, float level, const std::vector<Quiet>& quiet,
                         unsigned noiseStart = 1) {
    std::mt19937 random(noiseStart);
    std::uniform_real_distribution<float> sample(-1.0f, 1.0f);
    std::vector<float> out(size_t(seconds * kRate));
    for (size_t i = 0; i < out.size(); ++i) {
        float gain = level;
        for (const Quiet& q : quiet)
            if (i >= size_t(q.from * kRate) && i < size_t(q.to * kRate))
                gain = float(q.level);
        out[i] = gain * sample(random);
    }
    return out;
}

double quietestSeconds(const std::vector<float>& left, const std::vector<float>& right) {
    const float* planes[2] = {left.data(), right.data()};
    return double(quietestFrame(planes, 2, qint64(left.size()), kRate)) / kRate;
}

} // namespace

TEST(PauseCut, SpansReachIntoThePausesButNotPastTheNeighbours) {
    const qint64 none = kNoNeighbour;
    const struct {
        const char* what;
        qint64 previousEnd, start, end, nextStart;
        CutSpan startSpan, endSpan;
    } cases[] = {
        {"alone", none, 2000, 3000, none, {1500, 2000}, {3000, 3500}},
        {"at the media's start", none, 200, 1000, none, {0, 200}, {1000, 1500}},
        {"neighbours close by", 1800, 2000, 3000, 3100, {1800, 2000}, {3000, 3100}},
        {"neighbours far off", 500, 2000, 3000, 9000, {1500, 2000}, {3000, 3500}},
        {"touching both", 2000, 2000, 3000, 3000, {1750, 2250}, {2750, 3250}},
        {"overlapping both", 2400, 2000, 3000, 2600, {1750, 2250}, {2750, 3250}},
        // A cue shorter than the touching spans: its start span closes, and
        // its end span opens, at its middle.
        {"short, touching both", 2000, 2000, 2200, 2200, {1750, 2100}, {2100, 2450}},
        {"until the media's end", 1000, 2000, kOpenEnd, none, {1500, 2000}, {kOpenEnd, kOpenEnd}},
        {"an instant", none, 2000, 2000, none, {1500, 2000}, {2000, 2500}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ClipSpans spans = pauseSpans(c.previousEnd, c.start, c.end, c.nextStart);
        EXPECT_EQ(spans.start.fromMs, c.startSpan.fromMs);
        EXPECT_EQ(spans.start.toMs, c.startSpan.toMs);
        EXPECT_EQ(spans.end.fromMs, c.endSpan.fromMs);
        EXPECT_EQ(spans.end.toMs, c.endSpan.toMs);
    }
}

TEST(PauseCut, TheQuietestPointLiesInThePause) {
    const struct {
        const char* what;
        std::vector<Quiet> left, right;
        double expected, tolerance; // seconds into a 0.5 s span
    } cases[] = {
        {"a silent pause: its middle", {{0.10, 0.20, 0.0}}, {{0.10, 0.20, 0.0}}, 0.15, 0.006},
        {"a pause of faint noise", {{0.30, 0.40, 0.01}}, {{0.30, 0.40, 0.01}}, 0.35, 0.01},
        {"no pause, one dip", {{0.22, 0.23, 0.2}}, {{0.22, 0.23, 0.2}}, 0.225, 0.006},
        {"the deeper of two pauses",
         {{0.05, 0.10, 0.1}, {0.35, 0.45, 0.001}},
         {{0.05, 0.10, 0.1}, {0.35, 0.45, 0.001}},
         0.40,
         0.01},
        {"quiet in one channel only is no pause",
         {{0.05, 0.25, 0.0}, {0.40, 0.48, 0.0}},
         {{0.40, 0.48, 0.0}},
         0.44,
         0.006},
        {"a pause at the span's end", {{0.45, 0.5, 0.0}}, {{0.45, 0.5, 0.0}}, 0.475, 0.006},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<float> left = noise(0.5, 0.5f, c.left, 1);
        const std::vector<float> right = noise(0.5, 0.5f, c.right, 2);
        EXPECT_NEAR(quietestSeconds(left, right), c.expected, c.tolerance);
    }
}

TEST(PauseCut, EdgesFadeOverFiveMilliseconds) {
    const qint64 fade = kRate * 5 / 1000; // 80 frames
    const qint64 clip = kRate;            // a second
    EXPECT_LT(edgeFadeGain(0, clip, kRate), 0.01f);
    EXPECT_LT(edgeFadeGain(clip - 1, clip, kRate), 0.01f);
    EXPECT_NEAR(edgeFadeGain(fade / 2, clip, kRate), 0.5f, 0.02f);
    EXPECT_EQ(edgeFadeGain(fade, clip, kRate), 1.0f);
    EXPECT_EQ(edgeFadeGain(clip - 1 - fade, clip, kRate), 1.0f);
    for (qint64 i = 1; i < fade; ++i) // rising without a step
        EXPECT_LT(edgeFadeGain(i, clip, kRate) - edgeFadeGain(i - 1, clip, kRate), 0.02f);
    // A clip shorter than both fades never reaches full level.
    EXPECT_LT(edgeFadeGain(fade / 2, fade, kRate), 0.6f);
}
