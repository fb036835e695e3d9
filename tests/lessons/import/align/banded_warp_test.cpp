#include "banded_warp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

using namespace hearvex::lessons;

namespace {

// Features that wander like speech's do, distinct at every time scale.
std::vector<CepstralFrame> wandering(size_t count, uint32_t noiseState) {
    std::vector<CepstralFrame> frames(count);
    CepstralFrame at{}, velocity{};
    for (CepstralFrame& frame : frames) {
        for (size_t k = 0; k < kCepstra; ++k) {
            noiseState = noiseState * 1664525u + 1013904223u;
            velocity[k] = 0.9f * velocity[k] + (float(noiseState >> 8) / float(1u << 24) - 0.5f);
            at[k] = 0.97f * at[k] + 0.3f * velocity[k];
        }
        frame = at;
    }
    return frames;
}

struct Stretched {
    std::vector<CepstralFrame> frames;
    std::vector<size_t> source; // per frame: the frame of the original, or SIZE_MAX if inserted
};

// The original read at a tempo that drifts between 0.7 and 1.4, with a stretch
// of unrelated frames (a filler, a noise) inserted in the middle.
Stretched stretched(const std::vector<CepstralFrame>& original, size_t insertAt,
                    size_t insertLength) {
    Stretched out;
    const std::vector<CepstralFrame> inserted = wandering(insertLength, 99);
    double position = 0;
    bool done = false;
    for (size_t step = 0; position < double(original.size()); ++step) {
        const auto i = size_t(position);
        if (i >= insertAt && !done)
            for (size_t k = 0; k < insertLength; ++k, done = true) {
                out.frames.push_back(inserted[k]);
                out.source.push_back(SIZE_MAX);
            }
        out.frames.push_back(original[i]);
        out.source.push_back(i);
        position += 1.0 / (1.05 + 0.35 * std::sin(double(step) / 400.0));
    }
    return out;
}

struct WarpCase {
    const char* name;
    size_t length;
    size_t cellBudget; // small budgets force coarse-to-fine levels
};

class WarpSequences : public testing::TestWithParam<WarpCase> {};

TEST_P(WarpSequences, FindsEachFrameWhereItWasReadAndSkipsTheInsert) {
    const std::vector<CepstralFrame> a = wandering(GetParam().length, 7);
    const Stretched b = stretched(a, GetParam().length / 2, 300);
    WarpOptions options;
    options.coarsestCellBudget = GetParam().cellBudget;
    const std::vector<RowMatch> path = warpSequences(a, b.frames, options);
    ASSERT_EQ(path.size(), a.size());
    EXPECT_EQ(path.front().first, 0u);
    EXPECT_EQ(path.back().last, b.frames.size() - 1);
    size_t wrong = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        ASSERT_LE(path[i].first, path[i].last);
        if (i > 0) {
            ASSERT_GE(path[i].first, path[i - 1].last) << "the path went back at " << i;
        }
        bool found = false;
        for (size_t j = path[i].first; j <= path[i].last; ++j)
            found =
                found || (b.source[j] != SIZE_MAX && std::abs(long(b.source[j]) - long(i)) <= 2);
        wrong += found ? 0 : 1;
    }
    // Some frames beside the insert are matched into it; a broken band or
    // path loses far more.
    EXPECT_LE(wrong, a.size() / 20) << "frames matched away from where they were read";
}

INSTANTIATE_TEST_SUITE_P(Levels, WarpSequences,
                         testing::Values(WarpCase{"OneLevel", 2000, 40'000'000},
                                         WarpCase{"CoarseToFine", 6000, 200'000},
                                         WarpCase{"ManyLevels", 20000, 50'000}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(WarpSequences, EmptyOrSingleFrames) {
    const std::vector<CepstralFrame> one = wandering(1, 3), some = wandering(50, 4);
    EXPECT_TRUE(warpSequences({}, some).empty());
    EXPECT_TRUE(warpSequences(some, {}).empty());
    const std::vector<RowMatch> toOne = warpSequences(some, one);
    ASSERT_EQ(toOne.size(), some.size());
    EXPECT_EQ(toOne.back().last, 0u);
    const std::vector<RowMatch> fromOne = warpSequences(one, some);
    ASSERT_EQ(fromOne.size(), 1u);
    EXPECT_EQ(fromOne[0].first, 0u);
    EXPECT_EQ(fromOne[0].last, 49u);
}

} // namespace
