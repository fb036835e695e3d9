// Single-producer single-consumer ring of fixed blocks: the decoding thread
// fills slots, the output callback drains them. Wait-free on both sides.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <new>

namespace vbmp3 {

template <typename Block, std::size_t SlotCount> class BlockRing {
    static_assert((SlotCount & (SlotCount - 1)) == 0, "slot count must be a power of two");

public:
    static constexpr std::size_t capacity() { return SlotCount; }

    // Producer: the next free slot, or nullptr when the ring is full.
    Block* writeSlot() {
        const std::size_t head = m_head.load(std::memory_order_relaxed);
        if (head - m_tail.load(std::memory_order_acquire) == SlotCount)
            return nullptr;
        return &m_slots[head & (SlotCount - 1)];
    }
    // Producer: hands the slot from writeSlot() to the consumer.
    void publish() {
        m_head.store(m_head.load(std::memory_order_relaxed) + 1, std::memory_order_release);
    }

    // Consumer: the oldest published block, or nullptr when empty.
    Block* readSlot() {
        const std::size_t tail = m_tail.load(std::memory_order_relaxed);
        if (tail == m_head.load(std::memory_order_acquire))
            return nullptr;
        return &m_slots[tail & (SlotCount - 1)];
    }
    // Consumer: gives the slot from readSlot() back to the producer.
    void release() {
        m_tail.store(m_tail.load(std::memory_order_relaxed) + 1, std::memory_order_release);
    }

    // Consumer: the block published last, or nullptr when empty.
    const Block* newest() const {
        const std::size_t head = m_head.load(std::memory_order_acquire);
        if (head == m_tail.load(std::memory_order_relaxed))
            return nullptr;
        return &m_slots[(head - 1) & (SlotCount - 1)];
    }

    // Either side: blocks published and not yet released (a snapshot).
    std::size_t used() const {
        return m_head.load(std::memory_order_acquire) - m_tail.load(std::memory_order_acquire);
    }

    // Either side: how many blocks were ever published / released (snapshots).
    std::size_t writeIndex() const { return m_head.load(std::memory_order_acquire); }
    std::size_t readIndex() const { return m_tail.load(std::memory_order_acquire); }

    // Only while neither side is running (the output device is closed).
    void reset() {
        m_head.store(0, std::memory_order_relaxed);
        m_tail.store(0, std::memory_order_relaxed);
    }

private:
    static constexpr std::size_t kLine = 64;
    std::array<Block, SlotCount> m_slots{};
    alignas(kLine) std::atomic<std::size_t> m_head{0}; // written by the producer
    alignas(kLine) std::atomic<std::size_t> m_tail{0}; // written by the consumer
};

} // namespace vbmp3
