// The engine's lock-free parts and its spectrum arithmetic, on their own.
#include "AnalysisTap.h"
#include "BlockRing.h"
#include "Spectrum.h"

#include <array>
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

std::vector<float> sine(double bin, double amplitude, std::size_t frames = 512) {
    std::vector<float> out(frames);
    for (std::size_t n = 0; n < frames; ++n)
        out[n] = static_cast<float>(amplitude *
                                    std::sin(2.0 * std::numbers::pi * bin * double(n) / 512.0));
    return out;
}

} // namespace

TEST(BlockRing, FullAndEmpty) {
    vbmp3::BlockRing<NumberBlock, 4> ring;
    EXPECT_EQ(ring.readSlot(), nullptr);
    for (int i = 0; i < 4; ++i) {
        NumberBlock* slot = ring.writeSlot();
        ASSERT_NE(slot, nullptr);
        slot->sequence = static_cast<std::uint64_t>(i);
        ring.publish();
    }
    EXPECT_EQ(ring.writeSlot(), nullptr);
    EXPECT_EQ(ring.used(), 4u);
    for (std::uint64_t i = 0; i < 4; ++i) {
        NumberBlock* slot = ring.readSlot();
        ASSERT_NE(slot, nullptr);
        EXPECT_EQ(slot->sequence, i);
        ring.release();
    }
    EXPECT_EQ(ring.readSlot(), nullptr);
}

// A consumer on another thread sees every block whole and in order.
TEST(BlockRing, HandsBlocksAcrossThreadsInOrder) {
    constexpr std::uint64_t kBlocks = 200000;
    vbmp3::BlockRing<NumberBlock, 8> ring;
    std::thread producer([&] {
        for (std::uint64_t i = 0; i < kBlocks;) {
            if (NumberBlock* slot = ring.writeSlot()) {
                slot->sequence = i;
                slot->check = i * 2654435761u;
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

TEST(AnalysisTap, GivesTheLatestFramesOldestFirst) {
    vbmp3::AnalysisTap tap;
    std::array<float, 2 * 100> frames{};
    for (int i = 0; i < 100; ++i) {
        frames[2 * i] = static_cast<float>(i);
        frames[2 * i + 1] = static_cast<float>(-i);
    }
    tap.write(frames.data(), 100);
    std::array<float, 8> left{};
    std::array<float, 8> right{};
    ASSERT_TRUE(tap.readLatest(left.data(), right.data(), 8));
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(left[i], 92 + i);
        EXPECT_EQ(right[i], -(92 + i));
    }
}

TEST(AnalysisTap, FramesNeverWrittenReadAsZero) {
    vbmp3::AnalysisTap tap;
    const std::array<float, 4> frames{0.5f, -0.5f, 0.25f, -0.25f};
    tap.write(frames.data(), 2);
    std::array<float, 4> left{};
    std::array<float, 4> right{};
    left.fill(9.0f);
    ASSERT_TRUE(tap.readLatest(left.data(), right.data(), 4));
    EXPECT_EQ(left, (std::array<float, 4>{0.0f, 0.0f, 0.5f, 0.25f}));
    EXPECT_EQ(right, (std::array<float, 4>{0.0f, 0.0f, -0.5f, -0.25f}));
}

TEST(AnalysisTap, WrapsAroundAndKeepsOnlyTheTailOfHugeWrites) {
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
    EXPECT_EQ(left.back(), static_cast<float>(total - 1));
    EXPECT_FALSE(tap.readLatest(left.data(), right.data(), vbmp3::AnalysisTap::kCapacity));
}

TEST(SpectrumLevels, FullScaleSineInItsBinReads110) {
    vbmp3::Spectrum spectrum;
    std::array<std::int32_t, vbmp3::Spectrum::kBins> levels{};
    for (double bin : {3.0, 16.0, 100.0, 250.0}) {
        spectrum.levels(sine(bin, 1.0).data(), levels.data());
        const auto top = std::max_element(levels.begin(), levels.end());
        EXPECT_EQ(top - levels.begin(), static_cast<long>(bin));
        EXPECT_EQ(*top, 110) << "bin " << bin;
    }
}

TEST(SpectrumLevels, FollowsTheDecibelScale) {
    vbmp3::Spectrum spectrum;
    std::array<std::int32_t, vbmp3::Spectrum::kBins> levels{};
    const double minus70dB = std::pow(10.0, -70.0 / 20.0);
    spectrum.levels(sine(40.0, minus70dB).data(), levels.data());
    EXPECT_EQ(levels[40], 40);
    spectrum.levels(sine(40.0, 0.5).data(), levels.data());
    EXPECT_EQ(levels[40], 104);
    // Half-way between bins the Hann window loses about 1.4 dB.
    spectrum.levels(sine(40.5, 1.0).data(), levels.data());
    EXPECT_GE(levels[40], 107);
    EXPECT_LE(levels[40], 109);
}

TEST(SpectrumLevels, SilenceIsZeroAndLevelsAreNeverNegative) {
    vbmp3::Spectrum spectrum;
    std::array<std::int32_t, vbmp3::Spectrum::kBins> levels{};
    const std::vector<float> silence(512, 0.0f);
    spectrum.levels(silence.data(), levels.data());
    for (std::int32_t level : levels)
        ASSERT_EQ(level, 0);
    spectrum.levels(sine(10.0, 1e-7).data(), levels.data());
    for (std::int32_t level : levels)
        ASSERT_GE(level, 0);
    EXPECT_EQ(vbmp3::Spectrum::levelOfAmplitude(1.0), 110);
    EXPECT_EQ(vbmp3::Spectrum::levelOfAmplitude(1e-6), 0);
    EXPECT_EQ(vbmp3::Spectrum::levelOfAmplitude(0.0), 0);
}

TEST(SpectrumLevels, ConstantOffsetLandsInBinZero) {
    vbmp3::Spectrum spectrum;
    std::array<std::int32_t, vbmp3::Spectrum::kBins> levels{};
    const std::vector<float> offset(512, 1.0f);
    spectrum.levels(offset.data(), levels.data());
    EXPECT_EQ(levels[0], 110);
    EXPECT_LT(levels[2], 40);
}
