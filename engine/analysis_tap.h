// The most recent frames handed to the output, kept for the wave and the
// spectrum. The output callback writes; the caller's thread copies the tail.
// Counters before and after each write tell the reader whether the writer
// lapped it mid-copy (a sequence lock over a ring).
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

namespace vbmp3 {

class AnalysisTap {
public:
    static constexpr std::size_t kCapacity = 8192; // frames; many callbacks' worth
    static constexpr std::size_t kMaxWrite = kCapacity / 4;

    // Writer (output callback): appends interleaved stereo frames. Only the
    // last kMaxWrite of a larger write are kept, so a reader's copy of up to
    // kCapacity / 2 frames is never lapped unnoticed.
    void write(const float* stereo, std::size_t frameCount) {
        if (frameCount > kMaxWrite) {
            stereo += 2 * (frameCount - kMaxWrite);
            frameCount = kMaxWrite;
        }
        const std::uint64_t start = m_written.load(std::memory_order_relaxed);
        // Claim the slots before touching them: a reader whose acquire load
        // sees any of the new samples (stored with release, after the claim)
        // also sees the claim, and knows its copy may be torn.
        m_claimed.store(start + frameCount, std::memory_order_relaxed);
        for (std::size_t i = 0; i < frameCount; ++i) {
            const std::size_t slot = (start + i) & (kCapacity - 1);
            m_left[slot].store(stereo[2 * i], std::memory_order_release);
            m_right[slot].store(stereo[2 * i + 1], std::memory_order_release);
        }
        // The samples before the count the reader starts from.
        m_written.store(start + frameCount, std::memory_order_release);
    }

    // Reader: the last frameCount frames (at most kCapacity / 2), oldest
    // first; frames never written read as 0. False if the writer kept lapping.
    bool readLatest(float* left, float* right, std::size_t frameCount) const {
        if (frameCount > kCapacity / 2)
            return false;
        for (int attempt = 0; attempt < 4; ++attempt) {
            const std::uint64_t end = m_written.load(std::memory_order_acquire);
            for (std::size_t i = 0; i < frameCount; ++i) {
                const std::uint64_t frame = end - frameCount + i;
                if (end < frameCount - i) { // before the first frame ever written
                    left[i] = right[i] = 0.0f;
                    continue;
                }
                const std::size_t slot = frame & (kCapacity - 1);
                left[i] = m_left[slot].load(std::memory_order_acquire);
                right[i] = m_right[slot].load(std::memory_order_acquire);
            }
            // After the samples' acquire loads, so not read before them.
            const std::uint64_t claimed = m_claimed.load(std::memory_order_relaxed);
            // Intact unless a frame a whole ring past the oldest one copied
            // has been claimed: its slot is one of those copied.
            const std::uint64_t oldest = end >= frameCount ? end - frameCount : 0;
            if (claimed <= oldest + kCapacity)
                return true;
        }
        return false;
    }

    std::uint64_t framesWritten() const { return m_written.load(std::memory_order_acquire); }

private:
    std::array<std::atomic<float>, kCapacity> m_left{};
    std::array<std::atomic<float>, kCapacity> m_right{};
    std::atomic<std::uint64_t> m_claimed{0}; // frames the writer has begun to store
    std::atomic<std::uint64_t> m_written{0}; // frames stored
};

} // namespace vbmp3
