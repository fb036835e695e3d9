// The sound device, through SDL2: stereo float at the track's own sample rate
// (SDL converts for the hardware), so every track plays at its true speed.
// SDL's dummy driver counts as no device: the engine's own NullOutput plays
// silently in real time instead, which SDL's millisecond sleeps do not.
#pragma once

#include "output.h"

#include <cstdint>

namespace vbmp3 {

class SdlOutput final : public Output {
public:
    SdlOutput(Render render, void* context)
        : m_render(render)
        , m_context(context) {}
    ~SdlOutput() override;
    SdlOutput(const SdlOutput&) = delete;
    SdlOutput& operator=(const SdlOutput&) = delete;

    // Starts SDL's audio if needed and opens the default device. False when
    // there is no usable device; SDL's audio is then shut again, so that the
    // next open looks for a device afresh.
    bool open(std::int32_t sampleRate) override;
    void close() override;
    bool isOpen() const override { return m_device != 0; }
    std::int32_t sampleRate() const override { return m_sampleRate; }
    bool lost() override;
    bool audible() const override { return true; }

    // Closes the device and shuts SDL's audio down.
    void shutdown();

    // Frames per callback, a power of two (SDL rebuffers any other size),
    // about 10 ms, so that a seek is heard quickly. The disk driver paces
    // itself by sleeping the period cut to whole milliseconds, so for it the
    // period is chosen to lose the least in that cut.
    static int periodFrames(std::int32_t sampleRate, bool pacedBySleep);

private:
    static void callback(void* self, std::uint8_t* stream, int bytes);

    Render m_render;
    void* m_context;
    std::uint32_t m_device = 0;
    std::int32_t m_sampleRate = 0;
    bool m_started = false;
};

} // namespace vbmp3
