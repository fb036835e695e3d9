// Silent output on a steady clock: a thread of its own consumes sound as fast
// as a sound card would, so that a machine without one still plays in real
// time. The frames owed are computed from the time elapsed since the start,
// so the pace does not drift however long it plays.
//
// Tests can drive it by hand (a manual clock: nothing is consumed until they
// pull), make it refuse to open, or make it report itself lost, and can stand
// it in for a sound device.
#pragma once

#include "output.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace vbmp3 {

class NullOutput final : public Output {
public:
    // countsAsDevice: reports itself audible, to stand in for a sound device.
    NullOutput(Render render, void* context, bool countsAsDevice = false)
        : m_render(render)
        , m_context(context)
        , m_countsAsDevice(countsAsDevice) {}
    ~NullOutput() override;
    NullOutput(const NullOutput&) = delete;
    NullOutput& operator=(const NullOutput&) = delete;

    bool open(std::int32_t sampleRate) override;
    void close() override;
    bool isOpen() const override { return m_open.load(std::memory_order_acquire); }
    std::int32_t sampleRate() const override { return m_sampleRate; }
    bool lost() override { return isOpen() && m_lost.load(std::memory_order_acquire); }
    bool audible() const override { return m_countsAsDevice; }
    // Wakes the clock to hand out what is owed at once: a seek is followed
    // without waiting up to a whole period.
    void soundReady() override;

    // Test controls; any thread. The clock mode applies from the next open.
    void setManualClock(bool on) { m_manualClock.store(on, std::memory_order_relaxed); }
    void setRefuseOpen(bool on) { m_refuseOpen.store(on, std::memory_order_relaxed); }
    // From now on pulls nothing and reports itself lost, until reopened.
    void loseDevice() { m_lost.store(true, std::memory_order_release); }
    // Manual clock: renders frameCount frames on the calling thread into out
    // (may be null). Returns the frames rendered; 0 unless open in manual mode.
    int pull(float* out, int frameCount);

    // Frames per render call: a power of two of about 40 ms.
    static int periodFrames(std::int32_t sampleRate);

private:
    void run();

    Render m_render;
    void* m_context;
    const bool m_countsAsDevice;
    std::int32_t m_sampleRate = 0;
    int m_period = 0;
    std::vector<float> m_buffer; // one period, allocated on open
    std::atomic<bool> m_open{false};
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_lost{false};
    std::atomic<bool> m_manualClock{false};
    std::atomic<bool> m_refuseOpen{false};
    bool m_manual = false;  // the mode of this opening
    std::mutex m_pullMutex; // manual clock only: a pull against a close
    std::mutex m_wakeMutex; // the clock's sleep against soundReady() and close()
    std::condition_variable m_wake;
    bool m_soundReady = false; // under m_wakeMutex
    std::thread m_thread;
};

} // namespace vbmp3
