// Where the engine's sound goes: a sound device (SdlOutput) or, when there is
// none, NullOutput, which consumes sound silently in real time. Both pull
// stereo float frames at the track's own rate from one render function.
// Opened, closed and polled only from the engine's decoding thread.
#pragma once

#include <cstdint>

namespace vbmp3 {

class Output {
public:
    // Fills frameCount interleaved stereo frames; runs on the output's own
    // thread, never allocates, never waits on a lock.
    using Render = void (*)(void* context, float* out, int frameCount);

    virtual ~Output() = default;

    // Opens (or keeps) a running output at sampleRate and starts pulling.
    // False if it cannot.
    virtual bool open(std::int32_t sampleRate) = 0;
    // When it returns, the render function is not running and will not be
    // called again until the next open.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual std::int32_t sampleRate() const = 0;
    // True once an open output has gone away (a device unplugged, the sound
    // server gone); it pulls no more until closed and reopened.
    virtual bool lost() = 0;
    // True for a sound device, false for silent play.
    virtual bool audible() const = 0;
    // The first sound of a new position (a play or a seek) is ready. An
    // output that pulls in long stretches may pull what is owed now instead
    // of at its next period; a sound card keeps its rhythm.
    virtual void soundReady() {}
};

} // namespace vbmp3
