// Where clips are cut: the spans an edge is looked for in, the quietest point
// of synthetic signals with pauses, dips and noise of known place, and the cut
// itself in speech-like sound: fading fricatives, stop closures, room noise.
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

namespace {

// A span of speech-like sound built piece by piece (mono, 16 kHz).
class Sound {
public:
    explicit Sound(unsigned noiseStart)
        : m_random(noiseStart) {}

    // Voiced speech: noise under a syllable-rate swell between 30 % and 100 % of level.
    Sound& speech(double seconds, double level) {
        const size_t start = m_frames.size();
        return add(seconds, [&](size_t i) {
            const double t = double(i - start) / kRate;
            return level * (0.65 + 0.35 * std::sin(2 * M_PI * 4 * t));
        });
    }
    // A fricative fading from `from` to `to` (levels), with a 10 ms dip to
    // `dip` at dipAt seconds into it: the sound of "eyes," dying away.
    Sound& fadingFricative(double seconds, double from, double to, double dipAt, double dip) {
        const size_t start = m_frames.size();
        return add(seconds, [&](size_t i) {
            const double t = double(i - start) / kRate;
            if (t >= dipAt && t < dipAt + 0.010)
                return dip;
            return from * std::pow(to / from, t / seconds);
        });
    }
    // A stop's closure inside a word: near silence.
    Sound& closure(double seconds, double level) { return steady(seconds, level); }
    // The room between words: steady noise.
    Sound& room(double seconds, double level) { return steady(seconds, level); }

    double seconds() const { return double(m_frames.size()) / kRate; }
    // The frame where the cut goes, nearest the cue's edge at anchorSeconds.
    double cutSeconds(double anchorSeconds) const {
        const float* planes[1] = {m_frames.data()};
        return double(cutFrame(planes, 1, qint64(m_frames.size()), kRate,
                               qint64(anchorSeconds * kRate))) /
               kRate;
    }

private:
    Sound& steady(double seconds, double level) {
        return add(seconds, [&](size_t) { return level; });
    }
    template <typename Gain> Sound& add(double seconds, Gain gain) {
        std::uniform_real_distribution<float> sample(-1.0f, 1.0f);
        const size_t start = m_frames.size();
        for (size_t i = start; i < start + size_t(seconds * kRate); ++i)
            m_frames.push_back(float(gain(i)) * sample(m_random));
        return *this;
    }

    std::mt19937 m_random;
    std::vector<float> m_frames;
};

} // namespace

TEST(PauseCut, CutsGoInThePauseNearestTheCueNotInAWord) {
    const struct {
        const char* what;
        Sound sound;
        double anchor, pauseFrom, pauseTo; // seconds
    } cases[] = {
        // The fricative's dip is the quietest 10 ms of the span, the pause after it is not.
        {"a fading fricative before a pause",
         Sound(1)
             .fadingFricative(0.12, 0.2, 0.01, 0.06, 0.0005)
             .room(0.30, 0.004)
             .speech(0.08, 0.3),
         0.0, 0.12, 0.42},
        // Before the cue: a stop's closure inside the first word is the quietest.
        {"a stop's closure after the pause",
         Sound(2)
             .speech(0.05, 0.3)
             .room(0.30, 0.003)
             .speech(0.03, 0.3)
             .closure(0.02, 0.0002)
             .speech(0.10, 0.3),
         0.5, 0.05, 0.35},
        {"a noisy room, a deep dip in the word",
         Sound(3)
             .speech(0.15, 0.3)
             .closure(0.012, 0.0001)
             .speech(0.08, 0.3)
             .room(0.15, 0.02)
             .speech(0.11, 0.3),
         0.0, 0.242, 0.392},
        {"the nearer of two pauses, though the farther is longer and quieter",
         Sound(4).speech(0.05, 0.3).room(0.06, 0.004).speech(0.15, 0.3).room(0.24, 0.003), 0.0,
         0.05, 0.11},
        {"digital silence", Sound(5).speech(0.2, 0.3).room(0.3, 0.0), 0.0, 0.2, 0.5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const double cut = c.sound.cutSeconds(c.anchor);
        // The 5 ms fade lies in the pause too.
        EXPECT_GE(cut, c.pauseFrom + 0.005);
        EXPECT_LE(cut, c.pauseTo - 0.005);
    }
}

TEST(PauseCut, WithoutAPauseTheCutGoesAtTheQuietestPoint) {
    // Speech throughout: a 20 ms closure is too short for a pause, yet the quietest.
    const Sound sound = std::move(Sound(6).speech(0.3, 0.3).closure(0.02, 0.001).speech(0.18, 0.3));
    EXPECT_NEAR(sound.cutSeconds(0.0), 0.31, 0.006);
    EXPECT_NEAR(sound.cutSeconds(0.5), 0.31, 0.006);
}

// Words and pauses of every kind drawn at random, none of them tuned for:
// every cut lands inside its pause, the fade included.
TEST(PauseCut, HeldOutEdgesAllLandInTheirPauses) {
    std::mt19937 draw(20261207);
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    const auto between = [&](double low, double high) {
        return low + (high - low) * uniform(draw);
    };
    for (unsigned cut = 0; cut < 42; ++cut) {
        SCOPED_TRACE(cut);
        const double speech = between(0.1, 0.4);
        const double room = speech * std::pow(10.0, -between(25, 45) / 20); // 25 to 45 dB under
        const double tail = between(0.04, 0.15);
        const double pause = between(0.15, 0.32);
        const double dip = room * between(0.02, 0.5);
        Sound sound(100 + cut);
        const bool atEnd = cut % 2 == 0; // the end of a cue, else the start of the next
        double pauseFrom = 0;
        if (atEnd) {
            sound.fadingFricative(tail, speech * 0.7, room, tail * between(0.3, 0.8), dip);
            pauseFrom = sound.seconds();
            sound.room(pause, room).speech(0.5 - sound.seconds() - pause, speech);
        } else {
            // The cue starts late, after the next word's first stop.
            sound.speech(0.5 - pause - 0.12, speech);
            pauseFrom = sound.seconds();
            sound.room(pause, room).speech(0.03, speech).closure(0.015, dip).speech(0.075, speech);
        }
        const double at = sound.cutSeconds(atEnd ? 0.0 : 0.5);
        EXPECT_GE(at, pauseFrom + 0.005);
        EXPECT_LE(at, pauseFrom + pause - 0.005);
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
