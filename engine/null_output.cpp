#include "null_output.h"

#include <algorithm>
#include <chrono>

namespace vbmp3 {

NullOutput::~NullOutput() {
    close();
}

int NullOutput::periodFrames(std::int32_t sampleRate) {
    // About 40 ms: nothing is heard, so the latency a card's 10 ms buys is
    // worth nothing here, and each period is a wake-up of the thread. Still
    // well under the view's and the status tick's 100 ms, so neither sees the
    // position or the levels move in coarser steps.
    int frames = 32;
    while (frames * 25 < sampleRate && frames < 8192)
        frames *= 2;
    return frames;
}

bool NullOutput::open(std::int32_t sampleRate) {
    if (isOpen() && m_sampleRate == sampleRate && !m_lost.load(std::memory_order_acquire))
        return true;
    close();
    if (m_refuseOpen.load(std::memory_order_relaxed) || sampleRate <= 0)
        return false;
    m_sampleRate = sampleRate;
    m_period = periodFrames(sampleRate);
    m_buffer.assign(2 * static_cast<std::size_t>(m_period), 0.0f);
    m_lost.store(false, std::memory_order_relaxed);
    m_stop.store(false, std::memory_order_relaxed);
    m_soundReady = false; // no clock thread runs here yet
    m_manual = m_manualClock.load(std::memory_order_relaxed);
    {
        std::lock_guard lock(m_pullMutex);
        m_open.store(true, std::memory_order_release);
    }
    if (!m_manual) {
        try {
            m_thread = std::thread(&NullOutput::run, this);
        } catch (...) {
            m_open.store(false, std::memory_order_release);
            return false;
        }
    }
    return true;
}

void NullOutput::close() {
    {
        std::lock_guard lock(m_wakeMutex);
        m_stop.store(true, std::memory_order_release);
    }
    m_wake.notify_one();
    if (m_thread.joinable())
        m_thread.join();
    std::lock_guard lock(m_pullMutex);
    m_open.store(false, std::memory_order_release);
    m_sampleRate = 0;
}

int NullOutput::pull(float* out, int frameCount) {
    std::lock_guard lock(m_pullMutex);
    if (!isOpen() || !m_manual || m_lost.load(std::memory_order_acquire))
        return 0;
    int done = 0;
    while (done < frameCount) {
        const int n = std::min(m_period, frameCount - done);
        m_render(m_context, m_buffer.data(), n);
        if (out)
            std::copy_n(m_buffer.data(), 2 * n, out + 2 * done);
        done += n;
    }
    return done;
}

void NullOutput::soundReady() {
    {
        std::lock_guard lock(m_wakeMutex);
        m_soundReady = true;
    }
    m_wake.notify_one();
}

void NullOutput::run() {
    using Clock = std::chrono::steady_clock;
    const std::int64_t rate = m_sampleRate;
    Clock::time_point start = Clock::now();
    std::int64_t consumed = 0; // frames since start
    bool ready = false;        // woken by soundReady()
    while (!m_stop.load(std::memory_order_acquire)) {
        if (m_lost.load(std::memory_order_acquire)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            continue;
        }
        {
            const auto elapsedNs =
                std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - start).count();
            std::int64_t owed = elapsedNs * rate / 1'000'000'000 - consumed;
            if (owed > rate) {
                // Stalled for over a second (a suspended machine): a card
                // would not play the gap back at speed either.
                start = Clock::now();
                consumed = 0;
                owed = 0;
            }
            while (owed >= m_period && !m_stop.load(std::memory_order_relaxed)) {
                m_render(m_context, m_buffer.data(), m_period);
                consumed += m_period;
                owed -= m_period;
            }
            // New sound is waiting (a seek): a whole period of it goes now,
            // ahead of the clock as a card's buffer would take it, and the
            // next one a period later; the pace stays the clock's.
            if (ready && consumed <= elapsedNs * rate / 1'000'000'000 &&
                !m_stop.load(std::memory_order_relaxed)) {
                m_render(m_context, m_buffer.data(), m_period);
                consumed += m_period;
            }
        }
        // Wake when the next whole period is owed, or new sound is ready.
        const auto next =
            start + std::chrono::nanoseconds((consumed + m_period) * 1'000'000'000 / rate);
        std::unique_lock lock(m_wakeMutex);
        m_wake.wait_until(
            lock, next, [this] { return m_soundReady || m_stop.load(std::memory_order_relaxed); });
        ready = m_soundReady;
        m_soundReady = false;
    }
}

} // namespace vbmp3
