// The engine's lock-free parts and its spectrum scale, on their own.
#include "analysis_tap.h"
#include "block_ring.h"
#include "frequency_levels.h"

#include <array>
#include <atomic>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <thread>
#include <vector>

namespace {

struct NumberBlock {
    std::uint64_t sequence = 0;
    std::uint64_t check = 0;
};

} // namespace

// A consumer on another thread sees every block whole and in order.
TEST(BlockRing, HandsBlocksAcrossThreadsInOrder) {
    constexpr std::uint64_t kBlocks = 200000;
    vbmp3::BlockRing<NumberBlock, 8> ring;
    std::thread producer([&] {
        for (std::uint64_t i = 0; i < kBlocks;) {
            if (NumberBlock* slot = ring.writeSlot()) {
                *slot = {i, i * 2654435761u};
                ring.publish();
                ++i;
            } else {
                std::this_thread::yield();
            }
        }
    });
    std::uint64_t expected = 0;
    bool intact = true;
    while (expected < kBlocks) {
        if (NumberBlock* slot = ring.readSlot()) {
            intact = intact && slot->sequence == expected && slot->check == expected * 2654435761u;
            ring.release();
            ++expected;
        } else {
            std::this_thread::yield();
        }
    }
    producer.join();
    EXPECT_TRUE(intact);
}

TEST(AnalysisTap, GivesTheLatestFramesOldestFirstAndZerosBeforeTheFirst) {
    vbmp3::AnalysisTap tap;
    const std::array<float, 4> frames{0.5f, -0.5f, 0.25f, -0.25f};
    tap.write(frames.data(), 2);
    std::array<float, 3> left{9, 9, 9};
    std::array<float, 3> right{};
    ASSERT_TRUE(tap.readLatest(left.data(), right.data(), 3));
    EXPECT_EQ(left, (std::array<float, 3>{0.0f, 0.5f, 0.25f}));
    EXPECT_EQ(right, (std::array<float, 3>{0.0f, -0.5f, -0.25f}));
}

TEST(AnalysisTap, WrapsAroundAndKeepsTheTailOfHugeWrites) {
    vbmp3::AnalysisTap tap;
    const std::size_t total = vbmp3::AnalysisTap::kCapacity * 3 + 17;
    std::vector<float> frames(2 * total);
    for (std::size_t i = 0; i < total; ++i)
        frames[2 * i] = frames[2 * i + 1] = static_cast<float>(i);
    tap.write(frames.data(), total);
    std::array<float, 512> left{};
    std::array<float, 512> right{};
    ASSERT_TRUE(tap.readLatest(left.data(), right.data(), 512));
    EXPECT_EQ(left.front(), static_cast<float>(total - 512));
    EXPECT_EQ(right.back(), static_cast<float>(total - 1));
}

// A reader racing the writer gets whole runs of consecutive frames or
// nothing: never a copy with some slots from a later lap.
TEST(AnalysisTap, ReaderNeverSeesATornCopy) {
    vbmp3::AnalysisTap tap;
    std::atomic<bool> done{false};
    std::thread writer([&] {
        std::array<float, 2 * 96> chunk{};
        for (std::uint32_t frame = 1; frame < (1u << 21);) {
            for (std::size_t i = 0; i < chunk.size() / 2; ++i, ++frame)
                chunk[2 * i] = chunk[2 * i + 1] = static_cast<float>(frame);
            tap.write(chunk.data(), chunk.size() / 2);
        }
        done = true;
    });
    std::array<float, 512> left{};
    std::array<float, 512> right{};
    int intact = 0;
    int torn = 0;
    while (!done) {
        if (!tap.readLatest(left.data(), right.data(), left.size()) || left.front() == 0.0f)
            continue;
        ++intact;
        for (std::size_t i = 1; i < left.size(); ++i)
            if (left[i] != left[i - 1] + 1.0f || right[i] != left[i]) {
                ++torn;
                break;
            }
    }
    writer.join();
    EXPECT_EQ(torn, 0) << "of " << intact;
}

// 110 + 20*log10(amplitude): the window's gain must be taken out exactly.
TEST(SpectrumLevels, FollowTheDecibelScale) {
    vbmp3::Spectrum spectrum;
    std::array<std::int32_t, vbmp3::Spectrum::kBins> levels{};
    auto levelAt = [&](double bin, double amplitude) {
        std::vector<float> sine(512);
        for (std::size_t n = 0; n < sine.size(); ++n)
            sine[n] = static_cast<float>(
                amplitude * std::sin(2.0 * std::numbers::pi * bin * double(n) / 512.0));
        spectrum.levels(sine.data(), levels.data());
        return levels[static_cast<std::size_t>(bin)];
    };
    EXPECT_EQ(levelAt(3, 1.0), 110);
    EXPECT_EQ(levelAt(250, 1.0), 110);
    EXPECT_EQ(levelAt(40, 0.5), 104);
    EXPECT_EQ(levelAt(40, std::pow(10.0, -70.0 / 20.0)), 40);
    EXPECT_EQ(levelAt(40, 0.0), 0);
    EXPECT_EQ(levelAt(40, 1e-7), 0); // never below 0
    const std::vector<float> offset(512, 1.0f);
    spectrum.levels(offset.data(), levels.data());
    EXPECT_EQ(levels[0], 110); // 0 Hz has no mirror image to add
}

// The table the view's levels are read from gives the logarithm's level for
// every amplitude: on both sides of each step, far above the table, and none.
TEST(SpectrumLevels, TableMatchesTheLogarithm) {
    int checked = 0;
    for (double db = -125.0; db <= 60.0; db += 0.0625) {
        for (const double nudge : {1.0 - 1e-7, 1.0, 1.0 + 1e-7}) {
            const double amplitude = std::pow(10.0, db / 20.0) * nudge;
            ASSERT_EQ(vbmp3::Spectrum::levelOfSquare(amplitude * amplitude),
                      vbmp3::Spectrum::levelOfAmplitude(amplitude))
                << amplitude;
            ++checked;
        }
    }
    EXPECT_GT(checked, 8000);
    EXPECT_EQ(vbmp3::Spectrum::levelOfSquare(0.0), 0);
    EXPECT_EQ(vbmp3::Spectrum::levelOfSquare(-1.0), 0);
    EXPECT_EQ(vbmp3::Spectrum::levelOfSquare(std::nan("")), 0);
}
