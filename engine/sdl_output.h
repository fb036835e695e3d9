// The sound device, through SDL2: stereo float at the track's own sample rate
// (SDL converts for the hardware), so every track plays at its true speed.
// Used only from the engine's decoding thread: opening a device can take a
// while and no interface call may wait for it.
#pragma once

#include <cstdint>

namespace vbmp3 {

class SdlOutput {
public:
    // Pulls frameCount interleaved stereo frames into out; called on SDL's
    // audio thread.
    using Render = void (*)(void* context, float* out, int frameCount);

    SdlOutput(Render render, void* context)
        : m_render(render)
        , m_context(context) {}
    ~SdlOutput();
    SdlOutput(const SdlOutput&) = delete;
    SdlOutput& operator=(const SdlOutput&) = delete;

    // Opens (or keeps) a running device at sampleRate. Falls back to SDL's
    // dummy driver, which plays silently in real time, when the system's
    // output cannot be started. False if not even that works.
    bool open(std::int32_t sampleRate);
    // Closes the device; when it returns, the render function is not running
    // and will not be called again until the next open.
    void close();
    // Closes the device and shuts SDL's audio down.
    void shutdown();

    bool isOpen() const { return m_device != 0; }
    std::int32_t sampleRate() const { return m_sampleRate; }
    bool usingFallback() const { return m_fallback; }

    // Frames per callback, a power of two (SDL rebuffers any other size).
    // About 10 ms on a real device, so that a seek is heard quickly. The
    // dummy and disk drivers pace themselves by sleeping the period cut to
    // whole milliseconds, so for them the period is chosen to lose the least
    // in that cut, which keeps their playback at true speed.
    static int periodFrames(std::int32_t sampleRate, bool pacedBySleep);

private:
    bool startSubsystem(bool fallback);
    bool openDevice(std::int32_t sampleRate);
    static void callback(void* self, std::uint8_t* stream, int bytes);

    Render m_render;
    void* m_context;
    std::uint32_t m_device = 0;
    std::int32_t m_sampleRate = 0;
    bool m_started = false;
    bool m_fallback = false;
};

} // namespace vbmp3
